#include "settings/regiondata.h"

#include "settings/colors.h"

namespace tessarin::settings {

REGIONDATA RowOrPalette(const std::vector<REGIONDATA>& rows, std::size_t rowIndex) {
  return rowIndex < rows.size() ? rows[rowIndex] : PaletteRegionRow(rowIndex);
}

REGIONDATA PaletteRegionRow(std::size_t rowIndex) {
  REGIONDATA row;
  row.color = MaterialPaletteColor(rowIndex);
  return row;
}

std::vector<REGIONDATA> DefaultRegionRows() {
  std::vector<REGIONDATA> rows;
  rows.reserve(kDefaultRowCount);
  for (std::size_t i = 0; i < kDefaultRowCount; ++i) rows.push_back(PaletteRegionRow(i));
  return rows;
}

}  // namespace tessarin::settings
