#pragma once
// BRL-CAD's own view of a database along a ray (nirt), compared with what
// the script reader says the script built: a check of the checker's reading
// of primitives and boolean rules against the program that matters.

#include <string>
#include <vector>

#include "render/script_check/script_geometry.h"

namespace tessarin::render::script_check {

struct RaySegment {
  std::string region;
  double start = 0;   // distance from the ray's origin where the region begins (script units)
  double length = 0;
};

struct RayQuery {
  std::vector<RaySegment> segments;
  bool overlap = false;  // BRL-CAD reported two regions on one stretch
  std::string output;
};

struct Ray {
  Vec3 origin;     // script units
  Vec3 direction;  // unit vector
};

// One nirt run for all the rays; one answer per ray, in order. What nirt
// says before the first ray (the preparation of the solids) goes to
// `preparation` when given.
std::vector<RayQuery> ShootRays(const std::string& databasePath, const std::vector<std::string>& regions,
                                const std::vector<Ray>& rays, std::string* preparation = nullptr);

// The points along the ray (every `step` up to `reach`, script units) where
// BRL-CAD and the script reader disagree about a region, away from the ends
// of BRL-CAD's segments and from every primitive's boundary; one line each.
std::vector<std::string> CompareAlongRay(const ScriptGeometry& script, const RayQuery& query, const Ray& ray,
                                         double reach, double step);

}  // namespace tessarin::render::script_check
