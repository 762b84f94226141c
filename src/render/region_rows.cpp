#include "render/region_rows.h"

#include "platform/format_text.h"

namespace tessarin::render {
namespace {

// A row name must fit the row's text (the parameter file keeps no more).
constexpr std::size_t kRowNameLimit = settings::kMaxRowNameLength;

int PaletteIndexOf(const settings::ColorEntry& color) {
  for (std::size_t i = 0; i < settings::kMaterialPaletteSize; ++i)
    if (settings::kMaterialPalette[i].SameRgb(color)) return static_cast<int>(i);
  return -1;
}

}  // namespace

void PaletteUsage::CountRows(const std::vector<settings::REGIONDATA>& rows) {
  rows_.fill(0);
  for (const settings::REGIONDATA& row : rows) Add(row.color);
}

void PaletteUsage::Change(const settings::ColorEntry& color, int step) {
  int index = PaletteIndexOf(color);
  if (index < 0) return;
  int& count = rows_[static_cast<std::size_t>(index)];
  count += step;
  if (count < 0) count = 0;
}

int PaletteUsage::ColorsInUse() const {
  int used = 0;
  for (int count : rows_) used += count > 0 ? 1 : 0;
  return used;
}

settings::ColorEntry PaletteUsage::ColorForNewRow(std::size_t rowIndex) const {
  for (std::size_t i = 0; i < settings::kMaterialPaletteSize; ++i)
    if (rows_[i] == 0) return settings::kMaterialPalette[i];
  return settings::MaterialPaletteColor(rowIndex);
}

bool HasSourceRegion(const input::GeometryModel& model, const settings::VIEWPARM& set) {
  return model.source.positionType < 3 && set.sourceSizeRatio > 0;
}

std::string MaterialRegionName(std::int32_t materialId) {
  // Negating a void identifier in 64 bits keeps INT32_MIN printable.
  return materialId > 0 ? platform::FormatText("M%d", static_cast<int>(materialId))
                        : platform::FormatText("V%lld", -static_cast<long long>(materialId));
}

std::string RegionRowName(const input::MaterialTable& materials, int materialIndex) {
  const std::string text = MaterialRegionName(materials.materialId[static_cast<std::size_t>(materialIndex)]);
  const std::string& name = materials.materialName[static_cast<std::size_t>(materialIndex)];
  if (name.empty()) return text.substr(0, kRowNameLimit);
  std::size_t room = text.size() + 3 < kRowNameLimit ? kRowNameLimit - text.size() - 3 : 0;
  return text + " (" + name.substr(0, room) + ")";
}

std::vector<int> UsedMaterials(const input::GeometryModel& model) {
  std::vector<bool> used(model.materials.materialId.size(), false);
  for (const input::CellRecord& cell : model.cells)
    if (cell.material >= 0 && static_cast<std::size_t>(cell.material) < used.size())
      used[static_cast<std::size_t>(cell.material)] = true;
  std::vector<int> indices;
  for (std::size_t i = 0; i < used.size(); ++i)
    if (used[i]) indices.push_back(static_cast<int>(i));
  return indices;
}

bool RebuildRegionRows(const input::GeometryModel& model, settings::VIEWPARM& set, PaletteUsage& usage) {
  std::vector<std::string> names;
  for (int material : UsedMaterials(model)) names.push_back(RegionRowName(model.materials, material));
  if (HasSourceRegion(model, set)) names.emplace_back(kSourceRegionName);

  while (set.rows.size() < names.size()) {
    settings::REGIONDATA row;
    row.color = usage.ColorForNewRow(set.rows.size());
    settings::RederiveColorName(row.color, true);
    usage.Add(row.color);
    set.rows.push_back(row);
  }
  bool renamed = false;
  for (std::size_t i = 0; i < set.rows.size(); ++i) {
    std::string name = i < names.size() ? names[i] : std::string();
    if (set.rows[i].name == name) continue;
    set.rows[i].name = std::move(name);
    renamed = true;
  }
  return renamed;
}

}  // namespace tessarin::render
