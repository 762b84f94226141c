#pragma once
// A slice painted: each cell in its material's colour (the region row's;
// void cells light grey), dark lines where the cell changes, overlaps in red
// stripes, enclosed gaps magenta and the model's outside white.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "input/geometry_model.h"
#include "preview/slice_scan.h"
#include "settings/viewparm.h"

namespace tessarin::preview {

using Rgb = std::array<std::uint8_t, 3>;

inline constexpr Rgb kVoidColour{211, 211, 211};
inline constexpr Rgb kBoundaryColour{40, 40, 40};
inline constexpr Rgb kOverlapColour{220, 0, 0};
inline constexpr Rgb kOverlapStripeColour{255, 170, 170};
inline constexpr Rgb kGapColour{255, 0, 255};
inline constexpr Rgb kOutsideColour{255, 255, 255};

// A plain picture, three bytes a pixel, row by row from the top.
struct RgbImage {
  int width = 0, height = 0;
  std::vector<std::uint8_t> pixels;

  Rgb At(int column, int row) const {
    const std::size_t k = 3 * (static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                               static_cast<std::size_t>(column));
    return {pixels[k], pixels[k + 1], pixels[k + 2]};
  }
};

// One entry of the legend: a region row in use.
struct LegendEntry {
  std::string name;  // the row's name
  Rgb colour;
  bool isVoid = false;
};

// The legend rows, one per material with cells, in row order.
std::vector<LegendEntry> SliceLegend(const input::GeometryModel& model, const settings::VIEWPARM& set);

// The colour of every cell of the model.
std::vector<Rgb> CellColours(const input::GeometryModel& model, const settings::VIEWPARM& set);

RgbImage PaintSlice(const SliceCells& cells, const std::vector<Rgb>& cellColours);

}  // namespace tessarin::preview
