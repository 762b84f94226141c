#pragma once
// The cells of the Materials table.

#include <string>
#include <string_view>
#include <vector>

#include "settings/regiondata.h"

namespace tessarin::ui {

enum class MaterialColumn { Number, Material, Color, ColorName, Red, Green, Blue, Transparency, Reflectivity, Show };

inline constexpr int kMaterialColumnCount = 10;

std::string_view MaterialColumnHeader(MaterialColumn column);

// Number " %d ", the row name, the colour components and "%g" values; the
// swatch, colour-name and check-box columns have no text.
std::string MaterialCellText(const settings::REGIONDATA& row, int rowIndex, MaterialColumn column);

[[nodiscard]] bool IsMaterialCellTyped(MaterialColumn column);  // R, G, B, Transp., Refl.

// How many rows the table shows: one per region of the last reading of the
// input file, which are the rows up to the last named one. Rows after it
// keep their colours for a later file with more materials, unseen. Before
// any reading has named a row (a new set, Reset all) every row is shown.
std::size_t ShownMaterialRows(const std::vector<settings::REGIONDATA>& rows);

// R, G and B take a decimal integer 0 to 255, Transp. and Refl. a real 0 to
// 1, each followed only by blanks or tabs. True when the row changed.
[[nodiscard]] bool CommitMaterialCell(settings::REGIONDATA& row, MaterialColumn column, std::string_view text);

}  // namespace tessarin::ui
