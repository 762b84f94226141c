#include "preview/fault_text.h"

#include "platform/format_text.h"
#include "preview/fault_messages.h"

namespace tessarin::preview {

namespace {

// "C1 and C2", "C1, C2 and C3".
std::string CellList(const input::GeometryModel& model, const std::vector<int>& cells, const char* last) {
  std::string text;
  for (std::size_t k = 0; k < cells.size(); ++k) {
    if (k) text += k + 1 == cells.size() ? last : ", ";
    text += CellName(model, cells[k]);
  }
  return text;
}

std::string Counted(std::size_t count, const char* one, const char* many) {
  return platform::FormatText("%s %s", GroupedNumber(static_cast<long long>(count)).c_str(), count == 1 ? one : many);
}

}  // namespace

std::string CellName(const input::GeometryModel& model, int cell) {
  return platform::FormatText("C%d", model.cells[static_cast<std::size_t>(cell)].id);
}

std::string PointText(const Vec3& p) { return platform::FormatText("(%g, %g, %g)", p.x, p.y, p.z); }

std::string GroupedNumber(long long value) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<std::size_t>(at), ",");
  return value < 0 ? "-" + digits : digits;
}

int SharedUnion(const input::GeometryModel& model, const std::vector<int>& cells) {
  if (cells.size() != 2) return 0;
  const std::int32_t first = model.cells[static_cast<std::size_t>(cells[0])].unionIndex;
  const std::int32_t second = model.cells[static_cast<std::size_t>(cells[1])].unionIndex;
  if (first < 0 || first != second || static_cast<std::size_t>(first) >= model.unions.size()) return 0;
  return model.unions[static_cast<std::size_t>(first)].id;
}

std::string OverlapLine(const input::GeometryModel& model, const OverlapFinding& overlap) {
  std::string cells = CellList(model, overlap.cells, " and ");
  if (const int shared = SharedUnion(model, overlap.cells)) cells += platform::FormatText(messages::kSameUnion, shared);
  const FaultExtent& e = overlap.extent;
  return platform::FormatText(messages::kOverlapLine, cells.c_str(), PointText(e.at).c_str(),
                              platform::FormatText(messages::kVolume, e.volume).c_str(),
                              PointText(e.bounds.low).c_str(), PointText(e.bounds.high).c_str());
}

std::string UndefinedLine(const input::GeometryModel& model, const UndefinedFinding& gap) {
  const FaultExtent& e = gap.extent;
  return platform::FormatText(messages::kUndefinedLine, PointText(e.at).c_str(),
                              platform::FormatText(messages::kVolume, e.volume).c_str(),
                              PointText(e.bounds.low).c_str(), PointText(e.bounds.high).c_str(),
                              CellList(model, gap.borderingCells, ", ").c_str());
}

std::string ClosingLine(const input::GeometryModel& model, const OverlapSearchResult& result, double seconds) {
  if (result.cancelled) return platform::FormatText(messages::kStopped, GroupedNumber(result.raysCast).c_str());
  const std::string cells = GroupedNumber(static_cast<long long>(model.cells.size()));
  const std::string rays = GroupedNumber(result.raysCast);
  if (result.Clean()) return platform::FormatText(messages::kNothingFound, cells.c_str(), rays.c_str(), seconds);
  return platform::FormatText(messages::kFound,
                              Counted(result.overlaps.size(), messages::kOneOverlap, messages::kOverlaps).c_str(),
                              Counted(result.undefined.size(), messages::kOneUndefined, messages::kUndefined).c_str(),
                              cells.c_str(), rays.c_str(), seconds);
}

}  // namespace tessarin::preview
