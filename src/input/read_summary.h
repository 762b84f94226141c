#pragma once
// The one line that tells what a successful read found, e.g.
// "demo.inp: read without errors: 11 cells in 3 materials, 16 surfaces,
// 10 macrobodies, 1 union, 2 user programs".

#include <string>

#include "input/geometry_model.h"

namespace tessarin::input {

// What a file defines, counted as its author wrote it: surfaces are those
// of S<n> directives and macrobodies those the file defines (not the facets
// and copies the reader makes of them); void materials are not materials.
struct ModelCounts {
  long long cells = 0;
  long long materials = 0;
  long long surfaces = 0;
  long long macrobodies = 0;
  long long unions = 0;
};

ModelCounts CountModel(const GeometryModel& model);

std::string ReadSummary(const GeometryModel& model, const std::string& fileName, int userPrograms);

}  // namespace tessarin::input
