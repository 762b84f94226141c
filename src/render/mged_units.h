#pragma once
// The unit one MGED centimetre stands for in a script: chosen from the view
// size so that MGED works with numbers of a comfortable size.

#include <array>

namespace tessarin::render {

struct MgedUnit {
  const char* name;
  double size;  // model centimetres
};

inline constexpr std::array<MgedUnit, 12> kMgedUnits{{
    {"1 angstrom", 1e-8},
    {"1 nm", 1e-7},
    {"1 um", 1e-4},
    {"1 mm", 0.1},
    {"1 cm", 1},
    {"1 m", 100},
    {"1 km", 1e5},
    {"1000 km", 1e8},
    {"1e6 km", 1e11},
    {"1 au", 1.496e13},
    {"1000 au", 1.496e16},
    {"1 pc", 3.0857e18},
}};

// The row of kMgedUnits for a view of `viewSize` model centimetres.
int ChooseMgedUnit(double viewSize);

}  // namespace tessarin::render
