#pragma once
// What the overlap search found, in words: one line per finding and a
// closing line, the same on the command line and in the windows.

#include <string>
#include <vector>

#include "input/geometry_model.h"
#include "preview/overlap_search.h"

namespace tessarin::preview {

std::string CellName(const input::GeometryModel& model, int cell);
// "(1.5, 0, -2.25)"
std::string PointText(const Vec3& point);
// 1234567 as "1,234,567".
std::string GroupedNumber(long long value);
// The identifier of the union both cells of a pair belong to, or 0.
int SharedUnion(const input::GeometryModel& model, const std::vector<int>& cells);

// "overlap: C1 and C2 at (...), 0.5 cm3 within (...) to (...)"
std::string OverlapLine(const input::GeometryModel& model, const OverlapFinding& overlap);
// "undefined: no cell at (...), ... around C3, C4"
std::string UndefinedLine(const input::GeometryModel& model, const UndefinedFinding& gap);
// What was found, in how many cells, with how many rays and how long.
std::string ClosingLine(const input::GeometryModel& model, const OverlapSearchResult& result, double seconds);

}  // namespace tessarin::preview
