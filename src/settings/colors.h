#pragma once
// The named colour table, the material palette and the default track colours.
// A colour's name index is never stored: it is derived from its RGB value.

#include <array>
#include <cstddef>
#include <string_view>

#include "settings/color_entry.h"
#include "settings/track_types.h"

namespace tessarin::settings {

struct NamedColor {
  std::string_view name;
  std::uint8_t red, green, blue;
};

// White ... Black (indices 0 to 14); index 15 is "Custom".
inline constexpr int kNamedColorCount = 15;
// Material rows are never named Black: only the first 14 names are matched.
inline constexpr int kMaterialColorNameCount = 14;
inline constexpr std::size_t kMaxColorNameLength = 19;

extern const std::array<NamedColor, kNamedColorCount> kNamedColors;

// The first named colour with exactly this RGB, else kCustomColorIndex.
int DeriveColorNameIndex(int red, int green, int blue, bool materialRow);

// "White" ... "Black", "Custom" for 15 and any index outside the table.
std::string_view ColorName(int index);

// A colour entry with its name index derived.
ColorEntry MakeColor(int red, int green, int blue, bool materialRow);

// Recomputes the name index from the RGB value.
void RederiveColorName(ColorEntry& color, bool materialRow);

inline constexpr std::size_t kMaterialPaletteSize = 17;
extern const std::array<ColorEntry, kMaterialPaletteSize> kMaterialPalette;

// Colour number `rowIndex` mod 17 of the palette, as the colour of a material row.
ColorEntry MaterialPaletteColor(std::size_t rowIndex);

extern const std::array<ColorEntry, kTrackTypeCount> kDefaultTrackColors;

inline constexpr ColorEntry kDefaultBeamAxisColor{1, 255, 0, 0};         // Red
inline constexpr ColorEntry kDefaultBackgroundColor{0, 255, 255, 255};   // White

}  // namespace tessarin::settings
