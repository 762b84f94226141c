#include "render/arbn_edges.h"

#include <cmath>
#include <optional>

namespace tessarin::render {

using input::Vec3;

namespace {

// Planes this many at most are checked; beyond that the check costs more
// than the drawing it protects.
constexpr std::size_t kMostPlanesChecked = 64;
// Planes closer to parallel than this make no edge (MGED's own threshold).
constexpr double kParallelCosine = 0.999999;

// The point on all three planes, if they meet in one.
std::optional<Vec3> Corner(const ArbnPlane& a, const ArbnPlane& b, const ArbnPlane& c) {
  const Vec3 bc = Cross(b.normal, c.normal);
  const double determinant = Dot(a.normal, bc);
  if (std::fabs(determinant) < 1e-12) return std::nullopt;
  return (1 / determinant) *
         (a.offset * bc + b.offset * Cross(c.normal, a.normal) + c.offset * Cross(a.normal, b.normal));
}

}  // namespace

ArbnCorners FindArbnCorners(const std::vector<ArbnPlane>& planes, double slack) {
  const std::size_t count = planes.size();
  ArbnCorners corners;
  if (count > kMostPlanesChecked) return corners;
  std::vector<bool> cornered(count, false);
  bool any = false;
  for (std::size_t i = 0; i < count; ++i)
    for (std::size_t j = i + 1; j < count; ++j)
      for (std::size_t k = j + 1; k < count; ++k) {
        const std::optional<Vec3> point = Corner(planes[i], planes[j], planes[k]);
        if (!point) continue;
        bool inside = true;
        for (std::size_t m = 0; m < count && inside; ++m)
          inside = Dot(*point, planes[m].normal) - planes[m].offset <= slack;
        if (!inside) continue;
        any = true;
        cornered[i] = cornered[j] = cornered[k] = true;
      }
  corners.any = any;
  for (std::size_t m = 0; m < count && any; ++m)
    if (!cornered[m]) corners.cornerless.push_back(m);
  return corners;
}

bool ArbnEdgesDrawable(const std::vector<ArbnPlane>& planes, double tolerance, double slack) {
  const std::size_t count = planes.size();
  if (count > kMostPlanesChecked) return true;
  for (std::size_t i = 0; i < count; ++i) {
    for (std::size_t j = i + 1; j < count; ++j) {
      if (std::fabs(Dot(planes[i].normal, planes[j].normal)) >= kParallelCosine) continue;
      std::vector<Vec3> ends;
      for (std::size_t k = 0; k < count; ++k) {
        if (k == i || k == j) continue;
        const std::optional<Vec3> point = Corner(planes[i], planes[j], planes[k]);
        if (!point) continue;
        bool inside = true;
        for (std::size_t m = 0; m < count && inside; ++m)
          if (m != i && m != j && m != k) inside = Dot(*point, planes[m].normal) - planes[m].offset <= slack;
        if (!inside) continue;
        bool known = false;
        for (const Vec3& end : ends) known = known || Norm(*point - end) < tolerance;
        if (known) continue;
        ends.push_back(*point);
        if (ends.size() > 2) return false;
      }
    }
  }
  return true;
}

}  // namespace tessarin::render
