#include "ui/material_rows.h"

#include <array>
#include <optional>

#include "settings/colors.h"
#include "ui/field_numbers.h"

namespace tessarin::ui {
namespace {

constexpr std::array<std::string_view, kMaterialColumnCount> kHeaders = {
    "No.", "Material", "Color", "Color name", "R", "G", "B", "Transp.", "Refl.", "Show"};

std::uint8_t* ComponentOf(settings::REGIONDATA& row, MaterialColumn column) {
  switch (column) {
    case MaterialColumn::Red: return &row.color.red;
    case MaterialColumn::Green: return &row.color.green;
    case MaterialColumn::Blue: return &row.color.blue;
    default: return nullptr;
  }
}

}  // namespace

std::string_view MaterialColumnHeader(MaterialColumn column) { return kHeaders[static_cast<std::size_t>(column)]; }

bool IsMaterialCellTyped(MaterialColumn column) {
  return column >= MaterialColumn::Red && column <= MaterialColumn::Reflectivity;
}

std::string MaterialCellText(const settings::REGIONDATA& row, int rowIndex, MaterialColumn column) {
  switch (column) {
    case MaterialColumn::Number: return " " + FormatInt(rowIndex + 1) + " ";
    case MaterialColumn::Material: return row.name;
    case MaterialColumn::Red: return FormatInt(row.color.red);
    case MaterialColumn::Green: return FormatInt(row.color.green);
    case MaterialColumn::Blue: return FormatInt(row.color.blue);
    case MaterialColumn::Transparency: return FormatG(row.transparency);
    case MaterialColumn::Reflectivity: return FormatG(row.reflectivity);
    default: return {};
  }
}

bool CommitMaterialCell(settings::REGIONDATA& row, MaterialColumn column, std::string_view text) {
  if (std::uint8_t* component = ComponentOf(row, column)) {
    std::optional<long long> value = ParseInteger(text);
    if (!value || *value < 0 || *value > 255 || *value == *component) return false;
    *component = static_cast<std::uint8_t>(*value);
    settings::RederiveColorName(row.color, true);
    return true;
  }
  double* stored = column == MaterialColumn::Transparency   ? &row.transparency
                   : column == MaterialColumn::Reflectivity ? &row.reflectivity
                                                            : nullptr;
  if (!stored) return false;
  std::optional<double> value = ParseReal(text);
  if (!value || *value < 0 || *value > 1 || *value == *stored) return false;
  *stored = *value;
  return true;
}

std::size_t ShownMaterialRows(const std::vector<settings::REGIONDATA>& rows) {
  for (std::size_t count = rows.size(); count > 0; --count)
    if (!rows[count - 1].name.empty()) return count;
  return rows.size();
}

}  // namespace tessarin::ui
