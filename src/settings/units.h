#pragma once
// The units of the track statistics: `unitEnergy` and `unitDistance` index
// these tables. Values are kept in eV and cm and multiplied by the factor.

#include <array>
#include <string_view>

namespace tessarin::settings {

struct StatisticsUnit {
  std::string_view name;
  double factor;
};

inline constexpr std::array<StatisticsUnit, 3> kEnergyUnits{{{"eV", 1}, {"keV", 0.001}, {"MeV", 1e-6}}};
inline constexpr std::array<StatisticsUnit, 4> kDistanceUnits{{{"um", 10000}, {"mm", 10}, {"cm", 1}, {"m", 0.01}}};

}  // namespace tessarin::settings
