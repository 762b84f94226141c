#pragma once
// One material row of a parameter set.

#include <cstddef>
#include <string>
#include <vector>

#include "settings/color_entry.h"

namespace tessarin::settings {

inline constexpr std::size_t kMaxRowNameLength = 50;
inline constexpr int kDefaultRowCount = 13;
inline constexpr int kMaxRowCount = 100000;

// The default region row: colour White, transparency 0.3, shown.
struct REGIONDATA {
  std::string name;
  ColorEntry color{0, 255, 255, 255};
  double transparency = 0.3;
  double reflectivity = 0;
  int show = 1;
  friend bool operator==(const REGIONDATA&, const REGIONDATA&) = default;
};

// A default row coloured for position `rowIndex` (colour rowIndex mod 17 of
// the material palette); also used for rows added after reading an input file.
REGIONDATA PaletteRegionRow(std::size_t rowIndex);

// Row `rowIndex` of `rows`, or the palette's row for that position when the
// set has fewer rows (a model read after the rows were last rebuilt).
REGIONDATA RowOrPalette(const std::vector<REGIONDATA>& rows, std::size_t rowIndex);

// The 13 rows of a fresh parameter set.
std::vector<REGIONDATA> DefaultRegionRows();

}  // namespace tessarin::settings
