#pragma once
// One material row of a parameter set.

#include <string>

#include "settings/color_entry.h"

namespace tessarin::settings {

inline constexpr std::size_t kMaxRowNameLength = 50;
inline constexpr int kDefaultRowCount = 13;
inline constexpr int kMaxRowCount = 100000;

struct REGIONDATA {
  std::string name;
  ColorEntry color{0, 255, 255, 255};
  double transparency = 0.3;
  double reflectivity = 0;
  int show = 1;
  friend bool operator==(const REGIONDATA&, const REGIONDATA&) = default;
};

}  // namespace tessarin::settings
