#pragma once
// A colour of a parameter set or a material row: red, green and blue, plus
// the index of its name in the named colour table, derived from the RGB.

#include <cstdint>

namespace tessarin::settings {

inline constexpr int kCustomColorIndex = 15;

struct ColorEntry {
  std::uint8_t nameIndex = 0;  // 0..14 a named colour, 15 Custom
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const ColorEntry&, const ColorEntry&) = default;
  [[nodiscard]] bool SameRgb(const ColorEntry& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
};

}  // namespace tessarin::settings
