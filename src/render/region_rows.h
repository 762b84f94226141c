#pragma once
// The region rows of a parameter set follow the input file: after every
// successful read there is one named row per material that has cells, and
// one for the source sphere when the script draws it. Colours, transparency,
// reflectivity and show flags the user gave a row stay with it.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "input/geometry_model.h"
#include "settings/colors.h"
#include "settings/viewparm.h"

namespace tessarin::render {

inline constexpr std::string_view kSourceRegionName = "M_source";

// How many rows have each palette colour (exact RGB), so that a new row can
// take a colour no row has yet.
class PaletteUsage {
 public:
  void CountRows(const std::vector<settings::REGIONDATA>& rows);
  void Add(const settings::ColorEntry& color) { Change(color, +1); }
  void Remove(const settings::ColorEntry& color) { Change(color, -1); }
  int RowsWith(std::size_t paletteIndex) const { return rows_[paletteIndex]; }
  int ColorsInUse() const;
  // The first palette colour no row has; when all 17 are taken, colour
  // `rowIndex` mod 17.
  settings::ColorEntry ColorForNewRow(std::size_t rowIndex) const;

 private:
  void Change(const settings::ColorEntry& color, int step);
  std::array<int, settings::kMaterialPaletteSize> rows_{};
};

// Whether the script draws the source as a sphere (and so has a row for it).
[[nodiscard]] bool HasSourceRegion(const input::GeometryModel& model, const settings::VIEWPARM& set);

// "M%d" or, for a void material, "V%d" with the negated identifier, then
// " (name)" when the material has a name; shortened to what a row holds.
std::string RegionRowName(const input::MaterialTable& materials, int materialIndex);

// The region of a material in the RT script: "M<id>", or "V<-id>" for a void
// material (an identifier of 0 or below), INT32_MIN included.
std::string MaterialRegionName(std::int32_t materialId);

// The materials that have at least one cell, as indices into the material
// table, in table order: the regions of the script.
std::vector<int> UsedMaterials(const input::GeometryModel& model);

// Rebuilds the names of `set.rows` after a successful read and appends the
// rows that are missing, `usage` following every row added. Rows beyond the
// regions keep their values with an empty name. True when any row's name
// changed.
bool RebuildRegionRows(const input::GeometryModel& model, settings::VIEWPARM& set, PaletteUsage& usage);

}  // namespace tessarin::render
