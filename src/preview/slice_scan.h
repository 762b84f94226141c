#pragma once
// The cells at the centre of every pixel of a slice.

#include <atomic>
#include <cstdint>
#include <vector>

#include "preview/point_locator.h"
#include "preview/slice_frame.h"

namespace tessarin::preview {

enum class PixelKind : std::uint8_t { NoCell, Boundary, Cell, Overlap };

struct PixelCells {
  PixelKind kind = PixelKind::NoCell;
  std::int32_t cell = -1;   // Cell, Overlap: the first cell; Boundary: the cell it bounds
  std::int32_t other = -1;  // Overlap: the second cell
};

struct SliceCells {
  int wide = 0, high = 0;
  std::vector<PixelCells> pixels;  // row by row from the top
  // Per pixel: the edge pixels known to lie outside the model; empty: every
  // empty pixel on the edge.
  std::vector<bool> outsideSeeds;

  const PixelCells& At(int column, int row) const {
    return pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(wide) + static_cast<std::size_t>(column)];
  }
};

// Pixels that hold no cell and cannot be reached from the outside seeds
// through other such pixels (4-neighbours): the gaps enclosed by cells. A
// pixel on a surface passes the fill on only to a pixel in no cell, so a
// line of pixels on the face between two cells does not let a gap leak.
std::vector<bool> EnclosedEmptyPixels(const SliceCells& cells);

// Locates every pixel centre. Returns nothing filled (wide 0) when `cancel`
// was raised meanwhile; it is polled once a row.
SliceCells ScanSlice(const PointLocator& locator, const SliceFrame& frame, const std::atomic<bool>* cancel = nullptr);

PixelCells ClassifyPoint(const PointCells& found);

// The point a slice looks at for pixel (column, row): its centre, lifted off
// the plane by a thousandth of a pixel, so that a face lying in the plane
// does not make every pixel a boundary point.
Vec3 SlicePoint(const PointLocator& locator, const SliceFrame& frame, double column, double row);

}  // namespace tessarin::preview
