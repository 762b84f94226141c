#pragma once
// Cells that contain no point: their own bounding surfaces leave no room
// (C1 needs x < 0 and x > 5). The world and the cut-away plane are left
// out, so a cell outside the world is not empty, and so are the
// complements it subtracts, so that the verdict errs towards a cell having
// points.

#include <string>
#include <vector>

#include "input/geometry_model.h"
#include "render/clip_context.h"

namespace tessarin::render {

[[nodiscard]] bool CellContainsNoPoint(ClipContext& clip, const input::GeometryModel& model, const input::CellRecord& cell);

// The ids of the model's cells that contain no point, in the model's order.
std::vector<int> CellsContainingNoPoint(const input::GeometryModel& model);

// "Warning: cell N contains no point." for each, a line each; empty when none.
std::string EmptyCellsWarning(const std::vector<int>& cellIds);

}  // namespace tessarin::render
