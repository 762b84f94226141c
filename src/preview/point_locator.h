#pragma once
// Which cells hold a point. A cell is the intersection of its bounding
// surfaces' sides without its complement cells, each taken with every cell
// nested inside it; everything is cut to the world cube. A point within the
// distance precision of a surface that decides a cell is on that cell's
// boundary: it is in neither the cell nor its neighbour, so touching cells
// never count as overlapping.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "input/geometry_model.h"
#include "preview/box3.h"
#include "preview/cell_bounds.h"

namespace tessarin::preview {

inline constexpr int kKeptCells = 8;

struct PointCells {
  std::array<int, kKeptCells> inside{};  // cell indices, the first `insideCount` (at most kKeptCells) of them
  int insideCount = 0;                   // every cell that holds the point, also beyond those kept
  int boundaryCell = -1;                 // a cell on whose boundary the point lies, when inside none
  int Kept() const { return insideCount < kKeptCells ? insideCount : kKeptCells; }
};

// The world cube of a set: the view centre, edge viewSize times
// maximumObjectSizeRatio.
Box3 WorldCube(const Vec3& viewCenter, double viewSize, double maximumObjectSizeRatio);

// Working storage of one caller thread.
struct LocatorScratch {
  std::vector<int> candidates;
  std::vector<std::uint8_t> own;    // side verdict of each candidate's own surfaces
  std::vector<std::uint8_t> state;  // the full verdict, once known
};

class PointLocator {
 public:
  // Keeps a reference to `model`, which must outlive the locator and stay unchanged.
  PointLocator(const input::GeometryModel& model, const Box3& world, int clipCycles = 16);

  PointCells Locate(const Vec3& point, LocatorScratch& scratch) const;
  PointCells Locate(const Vec3& point) const;
  // The same, and in `clearance` how far one can go from the point along the
  // unit vector `along` and still meet the same cells (0 when nothing is
  // known): up to the first surface of a cell near the point, box of a cell
  // that does not hold it, or edge of its grid voxel.
  PointCells Locate(const Vec3& point, const Vec3& along, LocatorScratch& scratch, double& clearance) const;

  const Box3& World() const { return world_; }
  // Within this distance of a surface a point is on it.
  double Tolerance() const { return tolerance_; }
  const std::vector<CellBound>& Bounds() const { return bounds_; }
  // The box of every cell that does not reach the world's faces: where the model is.
  const Box3& ModelExtent() const { return extent_; }

 private:
  void BuildGrid();
  // The cells whose boxes reach the point's voxel; none outside the grid.
  std::optional<std::span<const int>> VoxelAt(const Vec3& point) const;
  struct Reach {
    Vec3 along;
    double clearance = 0;
  };
  std::uint8_t OwnSides(int cell, const Vec3& point, Reach* reach) const;
  Box3 VoxelBox(const Vec3& point) const;
  PointCells Find(const Vec3& point, LocatorScratch& scratch, Reach* reach) const;
  std::uint8_t Verdict(std::size_t position, LocatorScratch& scratch, int depth) const;
  [[nodiscard]] bool Excludes(int cell, int candidate) const;

  const input::GeometryModel& model_;
  Box3 world_;
  double tolerance_ = 0;
  std::vector<CellBound> bounds_;
  std::vector<std::vector<std::int32_t>> sortedComplements_;
  Box3 extent_;
  std::array<int, 3> cells_{};  // voxels per axis
  Vec3 voxelSize_;
  std::vector<std::uint32_t> voxelStart_;  // voxel k's cells are voxelCells_[voxelStart_[k] .. voxelStart_[k + 1])
  std::vector<int> voxelCells_;
  std::vector<int> far_;  // cells that reach beyond the grid
};

}  // namespace tessarin::preview
