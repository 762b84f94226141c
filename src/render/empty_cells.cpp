#include "render/empty_cells.h"

#include "platform/format_text.h"
#include "render/cell_references.h"
#include "render/half_space_list.h"
#include "render/messages.h"
#include "render/region_test.h"

namespace tessarin::render {

bool CellContainsNoPoint(ClipContext& clip, const input::GeometryModel& model, const input::CellRecord& cell) {
  HalfSpaceList own;
  for (int k = 0; k < cell.surfaceCount(); ++k) {
    const CellReference reference = ClassifyReference(model, cell, k);
    own.Append(reference.surface, reference.sense);
  }
  return !RegionTest(clip, own);
}

std::vector<int> CellsContainingNoPoint(const input::GeometryModel& model) {
  std::vector<input::SurfaceRecord> surfaces = model.surfaces;
  ClipContext clip{surfaces, model.precision, {}, {}};
  std::vector<int> empty;
  for (const input::CellRecord& cell : model.cells)
    if (CellContainsNoPoint(clip, model, cell)) empty.push_back(cell.id);
  return empty;
}

std::string EmptyCellsWarning(const std::vector<int>& cellIds) {
  std::string text;
  for (int cell : cellIds) {
    if (!text.empty()) text += "\n";
    text += platform::FormatText(messages::kCellContainsNoPoint, cell);
  }
  return text;
}

}  // namespace tessarin::render
