#pragma once
// Small models for the preview tests, read from input text through the
// reader as a user's file would be.

#include <functional>
#include <string>

#include "render/script_check/model_reading.h"
#include "support/test_files.h"

namespace tessarin::preview::testing {

struct TextModel {
  tessarin::testing::TempDir folder;
  settings::VIEWPARM set;
  render::script_check::ReadModel read;
  TextModel(const std::string& text, double viewSize);
};

// Calls `check` with every bundled example input that reads into a model
// with cells (under SCOPED_TRACE of its name); returns how many there were.
int ForEachExampleModel(
    const std::function<void(const settings::VIEWPARM& set, const input::GeometryModel& model)>& check);

// A sphere of radius 2 (M1) in a box of edge 8 (M2), centred at the origin.
inline constexpr const char* kSphereInBox =
    "COMPLEX_GEOMETRY 1\nM1 \"core\"\nM2 \"box\"\n"
    "S1 S 0 0 0 2\nS2 RPP -4 4 -4 4 -4 4\n"
    "C1 1 1 -1\nC2 2 1 -2 #1\n";

// C1 and C2 share the slab 0 < x < 0.5; the container C3 leaves the ball of
// radius 0.5 around (3.5, 0, 0) to no cell.
inline constexpr const char* kPlantedFaults =
    "COMPLEX_GEOMETRY 1\nM1 \"left\"\nM2 \"right\"\nM3 \"container\"\n"
    "S1 RPP -2 0.5 -2 2 -2 2\nS2 RPP 0 2 -2 2 -2 2\nS3 RPP -5 5 -5 5 -5 5\nS4 S 3.5 0 0 0.5\n"
    "C1 1 1 -1\nC2 2 1 -2\nC3 3 1 -3 +4 #1 #2\n";

}  // namespace tessarin::preview::testing
