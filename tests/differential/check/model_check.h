#pragma once
// One model held against its input four ways: the RT script's CSG (its
// "in", "comb" and "r" lines evaluated), the point locator of the geometry
// view, the ray engine of the pictures and the fault search (its stretches
// along lines), and, when asked, BRL-CAD's MGED and nirt on the script's
// database.
// At sampled points (scattered, and in rows along lines) every cell must
// hold exactly the points the input's own membership test gives it; along
// nirt's rays each segment must lie in the region of the input's cell at
// its middle, and no two regions may share a stretch.

#include <string>
#include <vector>

#include "differential/check/random_geometry.h"

namespace tessarin::differential {

struct CheckOptions {
  int points = 1200;        // scattered: the world, the view, cells, surface features
  int lines = 8;            // lines across the view with points in a row
  int pointsPerLine = 60;
  int engineLines = 8;      // lines walked by the ray engine, points as above
  bool brlcad = false;      // MGED and nirt as well (skipped without BRL-CAD)
  int nirtRays = 24;
  unsigned seed = 1;        // of the sampling
};

struct CheckReport {
  bool read = false;                  // the input read without errors
  std::vector<std::string> findings;  // the first few differences, one line each
  int differences = 0;                // all of them
  int comparedPoints = 0;             // points away from every surface
  int engineComparedPoints = 0;       // of them, along the ray engine's lines
  int nirtRays = 0;                   // rays BRL-CAD answered
  bool brlcadRan = false;

  bool Found() const { return differences > 0; }
  std::string Describe() const;
};

CheckReport CheckModel(const std::string& input, const ModelView& view, const CheckOptions& options);

}  // namespace tessarin::differential
