#include "settings/colors.h"

namespace tessarin::settings {

const std::array<NamedColor, kNamedColorCount> kNamedColors{{
    {"White", 255, 255, 255},
    {"Red", 255, 0, 0},
    {"Blue", 0, 0, 255},
    {"Green", 0, 255, 0},
    {"Amber", 255, 191, 0},
    {"Pink", 255, 192, 203},
    {"Orange", 255, 127, 0},
    {"Lime", 191, 255, 0},
    {"Olive", 128, 128, 0},
    {"Cyan", 0, 255, 255},
    {"Purple", 128, 0, 128},
    {"Yellow", 255, 255, 0},
    {"Maroon", 128, 0, 0},
    {"Grey", 128, 128, 128},
    {"Black", 0, 0, 0},
}};

namespace {
constexpr std::string_view kCustomColorName = "Custom";
}  // namespace

int DeriveColorNameIndex(int red, int green, int blue, bool materialRow) {
  const int candidates = materialRow ? kMaterialColorNameCount : kNamedColorCount;
  for (int i = 0; i < candidates; ++i) {
    const NamedColor& named = kNamedColors[static_cast<std::size_t>(i)];
    if (named.red == red && named.green == green && named.blue == blue) return i;
  }
  return kCustomColorIndex;
}

std::string_view ColorName(int index) {
  if (index < 0 || index >= kNamedColorCount) return kCustomColorName;
  return kNamedColors[static_cast<std::size_t>(index)].name;
}

ColorEntry MakeColor(int red, int green, int blue, bool materialRow) {
  return ColorEntry{static_cast<std::uint8_t>(DeriveColorNameIndex(red, green, blue, materialRow)),
                    static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                    static_cast<std::uint8_t>(blue)};
}

void RederiveColorName(ColorEntry& color, bool materialRow) {
  color.nameIndex = static_cast<std::uint8_t>(DeriveColorNameIndex(color.red, color.green, color.blue, materialRow));
}

const std::array<ColorEntry, kMaterialPaletteSize> kMaterialPalette{{
    {kCustomColorIndex, 128, 255, 128},
    {kCustomColorIndex, 255, 128, 128},
    {kCustomColorIndex, 128, 255, 255},
    {11, 255, 255, 0},    // Yellow
    {5, 255, 192, 203},   // Pink
    {7, 191, 255, 0},     // Lime
    {4, 255, 191, 0},     // Amber
    {9, 0, 255, 255},     // Cyan
    {3, 0, 255, 0},       // Green
    {2, 0, 0, 255},       // Blue
    {1, 255, 0, 0},       // Red
    {10, 128, 0, 128},    // Purple
    {8, 128, 128, 0},     // Olive
    {12, 128, 0, 0},      // Maroon
    {6, 255, 127, 0},     // Orange
    {13, 128, 128, 128},  // Grey
    {0, 255, 255, 255},   // White
}};

ColorEntry MaterialPaletteColor(std::size_t rowIndex) { return kMaterialPalette[rowIndex % kMaterialPaletteSize]; }

const std::array<ColorEntry, kTrackTypeCount> kDefaultTrackColors{{
    {13, 128, 128, 128},                 // source particles: Grey
    {11, 255, 255, 0},                   // bremsstrahlung photons: Yellow
    {3, 0, 255, 0},                      // annihilation photons: Green
    {6, 255, 127, 0},                    // X-rays after impact ionization: Orange
    {kCustomColorIndex, 200, 50, 128},   // X-rays after photoelectric and Compton collisions
    {5, 255, 192, 203},                  // pair electrons: Pink
    {kCustomColorIndex, 150, 150, 50},   // pair positrons
    {kCustomColorIndex, 50, 100, 255},   // Compton recoil electrons
    {9, 0, 255, 255},                    // photoelectrons: Cyan
    {kCustomColorIndex, 200, 150, 100},  // Auger electrons after photoelectric and Compton collisions
    {kCustomColorIndex, 255, 100, 100},  // Auger electrons after impact ionization
    {7, 191, 255, 0},                    // knock-on electrons: Lime
}};

}  // namespace tessarin::settings
