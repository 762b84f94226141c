#pragma once
// The cells of a model along rays. A cell is the intersection of its
// bounding surfaces' sides without the cells it complements, each taken
// with every cell nested inside it, and everything is cut to the world box:
// the same cells the point locator finds, as exact stretches. Two cells on
// one stretch are an overlap, a stretch inside the model in no cell is
// undefined; the engine reports both as they are and leaves judging them to
// the caller. Built once per model; read-only afterwards, so any number of
// threads may trace with it at once, each with its own TraceScratch.

#include <cstdint>
#include <vector>

#include "input/geometry_model.h"
#include "raytrace/cell_hierarchy.h"
#include "raytrace/ray.h"
#include "raytrace/surface_crossing.h"

namespace tessarin::raytrace {

class TraceScratch;

// One cell on one stretch of a ray.
struct CellSpan {
  std::int32_t cell = -1;
  Span span;
};

class RayEngine {
 public:
  // `boxes` has one box per cell of `model`, holding all of the cell that
  // lies in `world`; the model is copied from, not kept.
  RayEngine(const input::GeometryModel& model, const CellBox& world, const std::vector<CellBox>& boxes);

  std::int32_t CellCount() const { return static_cast<std::int32_t>(cells_.size()); }
  std::int32_t SurfaceCount() const { return static_cast<std::int32_t>(surfaces_.size()); }
  const CellBox& World() const { return world_; }
  // The model's distance precision: stretches shorter than this are noise.
  double Tolerance() const { return tolerance_; }

  // The part of [from, to] of the ray inside the world box; false when the
  // ray misses it.
  [[nodiscard]] bool ClipToWorld(const Ray& ray, double& from, double& to) const;

  // Every cell along the ray between `from` and `to` (cut to the world), in
  // order of entry, a cell's touching stretches joined.
  void Trace(const Ray& ray, double from, double to, TraceScratch& scratch, std::vector<CellSpan>& out) const;

  // The unit normal of a surface at a point on it, towards its positive side.
  Vec3 Normal(std::int32_t surface, const Vec3& point) const {
    return OutwardNormal(surfaces_[static_cast<std::size_t>(surface)], point);
  }

  // What the engine holds, in bytes (without the scratch of the tracing threads).
  std::size_t MemoryBytes() const;

 private:
  friend class RayWalk;

  struct Term {
    std::int32_t surface;
    std::int32_t sense;  // +1 positive side, -1 negative side
  };
  struct Cell {
    std::uint32_t firstTerm = 0;
    std::uint32_t termCount = 0;
    std::int32_t parent = -1;  // the cell whose complement list names this one
    std::int32_t depth = 0;    // how many cells enclose it
  };

  std::vector<SurfaceShape> surfaces_;
  std::vector<Cell> cells_;
  std::vector<Term> terms_;
  CellBox world_;
  AxisBox worldBox_;
  std::vector<AxisBox> cellBoxes_;  // each cell's box within the world
  CellHierarchy hierarchy_;
  double tolerance_ = 0;
};

}  // namespace tessarin::raytrace
