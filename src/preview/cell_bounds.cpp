#include "preview/cell_bounds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "render/clip_context.h"
#include "render/clipping_iteration.h"
#include "render/half_space_list.h"
#include "render/region_test.h"

namespace tessarin::preview {

using input::SurfaceKind;
using input::SurfaceRecord;

namespace {

constexpr double kAxisTolerance = 1e-12;
constexpr int kFaces = 6;  // +x, -x, +y, -y, +z, -z

bool AlongAxis(const Vec3& direction, int axis) {
  for (int other = 0; other < 3; ++other)
    if (other != axis && std::fabs(Component(direction, other)) > kAxisTolerance) return false;
  return true;
}

void LimitLow(Box3& box, int axis, double value) { Component(box.low, axis) = std::max(Component(box.low, axis), value); }
void LimitHigh(Box3& box, int axis, double value) {
  Component(box.high, axis) = std::min(Component(box.high, axis), value);
}

// What one side of one surface says about the box directly.
void LimitBySide(Box3& box, const SurfaceRecord& surface, int sense) {
  switch (surface.kind) {
    case SurfaceKind::Plane:
      for (int axis = 0; axis < 3; ++axis) {
        if (!AlongAxis(surface.direction, axis)) continue;
        const double along = Component(surface.direction, axis);
        const double at = -surface.planeConstant / along;
        if (sense * along > 0) LimitLow(box, axis, at);
        else LimitHigh(box, axis, at);
      }
      return;
    case SurfaceKind::Sphere:
      if (sense > 0) return;
      for (int axis = 0; axis < 3; ++axis) {
        LimitLow(box, axis, Component(surface.point, axis) - surface.radius);
        LimitHigh(box, axis, Component(surface.point, axis) + surface.radius);
      }
      return;
    case SurfaceKind::Cylinder:
      if (sense > 0) return;
      for (int axis = 0; axis < 3; ++axis) {
        if (std::fabs(Component(surface.direction, axis)) > kAxisTolerance) continue;
        LimitLow(box, axis, Component(surface.point, axis) - surface.radius);
        LimitHigh(box, axis, Component(surface.point, axis) + surface.radius);
      }
      return;
    case SurfaceKind::Cone: {
      if (sense > 0) return;
      // The nappe stays on one side of the apex along an axis when the axis
      // is within 90 degrees less the half angle of the cone's own axis.
      const double tangent = std::tan(surface.halfAngle);
      for (int axis = 0; axis < 3; ++axis) {
        const double along = Component(surface.direction, axis);
        const double across = tangent * std::sqrt(std::max(0.0, 1 - along * along));
        if (along >= across) LimitLow(box, axis, Component(surface.point, axis));
        if (-along >= across) LimitHigh(box, axis, Component(surface.point, axis));
      }
      return;
    }
  }
}

double FaceValue(const Box3& box, int face) {
  return face % 2 == 0 ? Component(box.high, face / 2) : Component(box.low, face / 2);
}

using FaceFlags = std::array<bool, kFaces>;

struct HalfSpace {
  Vec3 normal;  // unit, outward: normal·x ≤ offset inside
  double offset = 0;
  bool atWorld = false;  // a face of the box that is still the world's
};

std::vector<HalfSpace> CellPlanes(const input::GeometryModel& model, const input::CellRecord& cell) {
  std::vector<HalfSpace> planes;
  for (std::size_t k = 0; k < cell.surfaces.size() && k < cell.senses.size(); ++k) {
    const SurfaceRecord& surface = model.surfaces[cell.surfaces[k]];
    if (surface.kind != SurfaceKind::Plane) continue;
    const double outward = cell.senses[k] < 0 ? 1 : -1;
    planes.push_back({outward * surface.direction, -outward * surface.planeConstant, false});
  }
  return planes;
}

void AppendBoxFaces(const Box3& box, const Box3& world, std::vector<HalfSpace>& planes) {
  for (int face = 0; face < kFaces; ++face) {
    Vec3 n;
    Component(n, face / 2) = face % 2 == 0 ? 1 : -1;
    const double at = FaceValue(box, face);
    planes.push_back({n, face % 2 == 0 ? at : -at, at == FaceValue(world, face)});
  }
}

// Rounding allowance for bounds computed from the box's coordinates.
double BoxSlack(const Box3& box) { return 1e-9 * (Norm(box.high) + Norm(box.low) + Norm(box.high - box.low)); }

// Inside a cylinder or a cone, the cell lies along the stretch of the axis
// (parameter t from the surface's point) where the inside still reaches
// into every plane of the cell and the box; that stretch, widened by the
// radius, bounds the cell in any orientation. A cylinder reaches a
// half-space n·x ≤ c at t when t·(n·a) ≤ c − n·p + r·|n × a|; a cone's
// nappe (t ≥ 0, radius t·tan θ) when t·(n·a − tan θ·|n × a|) ≤ c − n·p.
void LimitByAxialSurfaces(Box3& box, const Box3& world, const input::GeometryModel& model,
                          const input::CellRecord& cell) {
  constexpr double kLevel = 1e-9;  // rates closer to zero bound nothing
  std::vector<HalfSpace> planes = CellPlanes(model, cell);
  AppendBoxFaces(box, world, planes);
  for (std::size_t k = 0; k < cell.surfaces.size() && k < cell.senses.size(); ++k) {
    const SurfaceRecord& surface = model.surfaces[cell.surfaces[k]];
    const bool cone = surface.kind == SurfaceKind::Cone;
    if (cell.senses[k] > 0 || (!cone && surface.kind != SurfaceKind::Cylinder)) continue;
    const Vec3& a = surface.direction;
    const double widening = cone ? surface.tanHalfAngle : 0;  // the radius grows by this per unit of t
    double low = cone ? 0 : -HUGE_VAL, high = HUGE_VAL;
    for (const HalfSpace& plane : planes) {
      const double along = Dot(plane.normal, a);
      const double across = std::sqrt(std::max(0.0, 1 - along * along));
      const double rate = along - widening * across;
      const double room = plane.offset - Dot(plane.normal, surface.point) + (cone ? 0 : surface.radius * across);
      if (rate > kLevel) high = std::min(high, room / rate);
      else if (rate < -kLevel) low = std::max(low, room / rate);
    }
    if (!(low > -HUGE_VAL && high < HUGE_VAL && low <= high)) continue;
    const double slack = BoxSlack(box) + 1e-9 * (std::fabs(low) + std::fabs(high));
    for (int axis = 0; axis < 3; ++axis) {
      const double direction = Component(a, axis);
      const double spread = std::sqrt(std::max(0.0, 1 - direction * direction));
      double from = HUGE_VAL, to = -HUGE_VAL;
      for (double t : {low, high}) {
        const double centre = Component(surface.point, axis) + t * direction;
        const double radius = (cone ? t * widening : surface.radius) * spread;
        from = std::min(from, centre - radius);
        to = std::max(to, centre + radius);
      }
      LimitLow(box, axis, from - slack);
      LimitHigh(box, axis, to + slack);
    }
  }
}

// The box of the corners of the polyhedron that the cell's planes cut from
// the box: the cell lies inside that polyhedron. A face of the result is
// loose when the corner that sets it lies on a face of the box that is
// still the world's: the cell's other surfaces may keep it further in.
// Nothing changes when the cell has too many planes to try all corners, or
// when no corner is found.
void LimitByPlaneCorners(Box3& box, const Box3& world, const input::GeometryModel& model,
                         const input::CellRecord& cell, FaceFlags& loose) {
  constexpr std::size_t kMostPlanes = 40;
  std::vector<HalfSpace> planes = CellPlanes(model, cell);
  if (planes.empty() || planes.size() + kFaces > kMostPlanes) return;
  AppendBoxFaces(box, world, planes);
  const double slack = BoxSlack(box);
  Box3 corners{{HUGE_VAL, HUGE_VAL, HUGE_VAL}, {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL}};
  FaceFlags cornerLoose{};
  bool any = false;
  const std::size_t count = planes.size();
  for (std::size_t i = 0; i < count; ++i)
    for (std::size_t j = i + 1; j < count; ++j)
      for (std::size_t k = j + 1; k < count; ++k) {
        const Vec3 jk = Cross(planes[j].normal, planes[k].normal);
        const double determinant = Dot(planes[i].normal, jk);
        if (std::fabs(determinant) < 1e-9) continue;
        const Vec3 corner = (1 / determinant) * (planes[i].offset * jk +
                                                 planes[j].offset * Cross(planes[k].normal, planes[i].normal) +
                                                 planes[k].offset * Cross(planes[i].normal, planes[j].normal));
        bool inside = true;
        for (std::size_t m = 0; m < count && inside; ++m)
          inside = Dot(planes[m].normal, corner) <= planes[m].offset + slack;
        if (!inside) continue;
        any = true;
        const bool onWorld = planes[i].atWorld || planes[j].atWorld || planes[k].atWorld;
        for (int axis = 0; axis < 3; ++axis) {
          const double value = Component(corner, axis);
          if (value < Component(corners.low, axis)) {
            Component(corners.low, axis) = value;
            cornerLoose[static_cast<std::size_t>(2 * axis + 1)] = onWorld;
          }
          if (value > Component(corners.high, axis)) {
            Component(corners.high, axis) = value;
            cornerLoose[static_cast<std::size_t>(2 * axis)] = onWorld;
          }
        }
      }
  if (!any) return;
  box = box.Intersection(corners.Grown(slack));
  for (std::size_t face = 0; face < loose.size(); ++face) loose[face] = loose[face] || cornerLoose[face];
}

SurfaceRecord AxisPlane(int face, double at) {
  SurfaceRecord plane;
  plane.kind = SurfaceKind::Plane;
  const int axis = face / 2;
  const double sign = face % 2 == 0 ? 1 : -1;
  Component(plane.direction, axis) = sign;
  Component(plane.point, axis) = at;
  plane.planeConstant = -sign * at;
  return plane;
}

// Pulls the loose faces of the box (those the direct bounds left at the
// world or set from it) towards the cell, with the clipping the RT script
// uses for its world.
class FacePuller {
 public:
  FacePuller(const input::GeometryModel& model, int cycles)
      : surfaces_(model.surfaces), context_{surfaces_, model.precision, {}, {}},
        cycles_(cycles) {
    firstFace_ = static_cast<int>(surfaces_.size());
    for (int k = 0; k < 2 * kFaces; ++k) surfaces_.push_back(AxisPlane(k % kFaces, 0));
  }

  // Leaves the box as it is when the region test finds no point of the
  // cell in it. Only the loose faces move.
  void Pull(const input::CellRecord& cell, const FaceFlags& loose, Box3& box) {
    render::HalfSpaceList list;
    for (std::size_t k = 0; k < cell.surfaces.size(); ++k) list.Append(cell.surfaces[k], cell.senses[k]);
    for (int face = 0; face < kFaces; ++face) {
      surfaces_[static_cast<std::size_t>(firstFace_ + face)] = AxisPlane(face, FaceValue(box, face));
      list.Append(firstFace_ + face, -1);
    }
    if (!render::RegionTest(context_, list)) return;
    for (int face = 0; face < kFaces; ++face) {
      const double at = FaceValue(box, face);
      if (!loose[static_cast<std::size_t>(face)]) continue;
      const int copy = firstFace_ + kFaces + face;
      surfaces_[static_cast<std::size_t>(copy)] = AxisPlane(face, at);
      const double extent = Component(box.high, face / 2) - Component(box.low, face / 2);
      render::ClipRequest request{copy, extent, cycles_, true, -1};
      if (render::ClipPlane(context_, list, request) <= 0) continue;
      const double moved = Component(surfaces_[static_cast<std::size_t>(copy)].point, face / 2);
      if (face % 2 == 0) LimitHigh(box, face / 2, moved);
      else LimitLow(box, face / 2, moved);
    }
  }

 private:
  std::vector<SurfaceRecord> surfaces_;  // the model's, then the fixed faces and their movable copies
  render::ClipContext context_;
  int cycles_;
  int firstFace_ = 0;
};

}  // namespace

std::vector<CellBound> FindCellBounds(const input::GeometryModel& model, const Box3& world, int clipCycles) {
  std::vector<CellBound> bounds(model.cells.size());
  FacePuller puller(model, clipCycles);
  const double margin = std::max(10 * model.precision.distancePrecision,
                                 1e-12 * (Component(world.high, 0) - Component(world.low, 0)));
  for (std::size_t i = 0; i < model.cells.size(); ++i) {
    const input::CellRecord& cell = model.cells[i];
    Box3 box = world;
    for (std::size_t k = 0; k < cell.surfaces.size() && k < cell.senses.size(); ++k)
      LimitBySide(box, model.surfaces[cell.surfaces[k]], cell.senses[k]);
    if (!box.Empty()) LimitByAxialSurfaces(box, world, model, cell);
    FaceFlags loose{};
    for (int face = 0; face < kFaces; ++face)
      loose[static_cast<std::size_t>(face)] = FaceValue(box, face) == FaceValue(world, face);
    if (!box.Empty()) LimitByPlaneCorners(box, world, model, cell, loose);
    if (box.Empty()) {
      bounds[i].empty = true;
      continue;
    }
    // The region test finds no point in some thin cells that have volume
    // (two cones far off, meeting at a narrow angle): a cell it finds empty
    // keeps its direct box, which only costs the locator a few looks.
    const bool anyLoose = std::find(loose.begin(), loose.end(), true) != loose.end();
    if (clipCycles > 0 && anyLoose) puller.Pull(cell, loose, box);
    bounds[i].box = box.Grown(margin).Intersection(world);
  }
  return bounds;
}

}  // namespace tessarin::preview
