#pragma once
// The bounding list of a cell or a general macrobody while it is built: one
// entry per bounding surface with its sense and where it came from.

#include <cstdint>
#include <vector>

namespace tessarin::input {

struct BoundingEntry {
  std::uint16_t surface = 0;
  std::int8_t sense = 1;  // +1 positive side of the surface, -1 negative side
  // 0 a regular surface; m + 1 for an entry of general macrobody m or a
  // facet written with a plus sign; -(m + 1) for an entry of a whole
  // standard macrobody m or a facet written with a minus sign.
  std::int16_t originMacrobody = 0;
  // 0 a regular surface; i + 1 for facet i of a whole macrobody; -k for an
  // explicit reference to facet k.
  std::int16_t originFacet = 0;
};

struct BoundingList {
  std::vector<std::uint16_t> surfaces;
  std::vector<std::int8_t> senses;
  std::vector<std::int16_t> originMacrobody;
  std::vector<std::int16_t> originFacet;

  int Count() const { return static_cast<int>(surfaces.size()); }
  void Append(const BoundingEntry& entry) {
    surfaces.push_back(entry.surface);
    senses.push_back(entry.sense);
    originMacrobody.push_back(entry.originMacrobody);
    originFacet.push_back(entry.originFacet);
  }
  BoundingEntry Entry(int index) const {
    std::size_t k = static_cast<std::size_t>(index);
    return {surfaces[k], senses[k], originMacrobody[k], originFacet[k]};
  }
};

}  // namespace tessarin::input
