#pragma once
// The one line that tells what a successful read found, e.g.
// "demo.inp: read without errors: 11 cells in 3 materials, 16 surfaces,
// 10 macrobodies, 1 union, 2 user programs".

#include <string>

#include "input/geometry_model.h"

namespace tessarin::input {

// Surfaces are those of S<n> directives and macrobodies those the file
// defines: what the reader makes of them (facets, copies) is not counted.
std::string ReadSummary(const GeometryModel& model, const std::string& fileName, int userPrograms);

}  // namespace tessarin::input
