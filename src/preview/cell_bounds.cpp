#include "preview/cell_bounds.h"

#include <array>
#include <cmath>

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

double FaceValue(const Box3& box, int face) {
  return face % 2 == 0 ? Component(box.high, face / 2) : Component(box.low, face / 2);
}

// Pulls the faces of the box that the direct bounds left at the world
// towards the cell, with the clipping the RT script uses for its world.
class FacePuller {
 public:
  FacePuller(const input::GeometryModel& model, int cycles)
      : surfaces_(model.surfaces), context_{surfaces_, model.precision, {}, {}},
        cycles_(cycles) {
    firstFace_ = static_cast<int>(surfaces_.size());
    for (int k = 0; k < 2 * kFaces; ++k) surfaces_.push_back(AxisPlane(k % kFaces, 0));
  }

  // False when the cell turns out to have no volume in the box.
  bool Pull(const input::CellRecord& cell, const Box3& world, Box3& box) {
    render::HalfSpaceList list;
    for (std::size_t k = 0; k < cell.surfaces.size(); ++k) list.Append(cell.surfaces[k], cell.senses[k]);
    for (int face = 0; face < kFaces; ++face) {
      surfaces_[static_cast<std::size_t>(firstFace_ + face)] = AxisPlane(face, FaceValue(box, face));
      list.Append(firstFace_ + face, -1);
    }
    if (!render::RegionTest(context_, list)) return false;
    for (int face = 0; face < kFaces; ++face) {
      const double at = FaceValue(box, face);
      if (at != FaceValue(world, face)) continue;
      const int copy = firstFace_ + kFaces + face;
      surfaces_[static_cast<std::size_t>(copy)] = AxisPlane(face, at);
      const double extent = Component(box.high, face / 2) - Component(box.low, face / 2);
      render::ClipRequest request{copy, extent, cycles_, true, -1};
      if (render::ClipPlane(context_, list, request) <= 0) continue;
      const double moved = Component(surfaces_[static_cast<std::size_t>(copy)].point, face / 2);
      if (face % 2 == 0) LimitHigh(box, face / 2, moved);
      else LimitLow(box, face / 2, moved);
    }
    return true;
  }

 private:
  std::vector<SurfaceRecord> surfaces_;  // the model's, then the fixed faces and their movable copies
  render::ClipContext context_;
  int cycles_;
  int firstFace_ = 0;
};

bool TouchesWorld(const Box3& box, const Box3& world) {
  for (int face = 0; face < kFaces; ++face)
    if (FaceValue(box, face) == FaceValue(world, face)) return true;
  return false;
}

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
    if (box.Empty()) {
      bounds[i].empty = true;
      continue;
    }
    if (clipCycles > 0 && TouchesWorld(box, world) && !puller.Pull(cell, world, box)) {
      bounds[i].empty = true;
      continue;
    }
    bounds[i].box = box.Grown(margin).Intersection(world);
  }
  return bounds;
}

}  // namespace tessarin::preview
