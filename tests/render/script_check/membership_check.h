#pragma once
// The point-membership comparison of an RT script with its input: sampled
// points are classified by the input's cells (cut to the world, the source
// sphere taken out) and by the script's regions; away from every boundary
// the two must name the same regions.

#include <string>
#include <vector>

#include "input/geometry_model.h"
#include "render/script_check/script_geometry.h"
#include "settings/viewparm.h"

namespace tessarin::render::script_check {

struct Disagreement {
  Vec3 point;  // model cm
  std::vector<std::string> expected;  // from the input
  std::vector<std::string> found;     // from the script
};

struct MembershipReport {
  int sampled = 0;
  int compared = 0;  // points far enough from every boundary
  int insideSomeCell = 0;
  std::vector<Disagreement> disagreements;
  // The first few disagreements, one line each.
  std::string Describe(std::size_t limit = 10) const;
};

struct MembershipOptions {
  int samples = 20000;
  unsigned seed = 1;
  // Points nearer than this fraction of the view size to a boundary are skipped.
  double boundaryFraction = 1e-6;
};

MembershipReport CompareMembership(const input::GeometryModel& model, const settings::VIEWPARM& set,
                                   const ScriptGeometry& script, const MembershipOptions& options = {});

}  // namespace tessarin::render::script_check
