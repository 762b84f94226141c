#pragma once
// A list of half-spaces (surface index, sense) whose intersection is a
// region, with a point strictly inside it once one is known. The clipping
// works on these: a cell's bounding list with the world's planes appended.

#include <vector>

#include "input/geometry_model.h"

namespace tessarin::render {

struct HalfSpaceList {
  std::vector<int> surfaces;  // indices into the surface table
  std::vector<int> senses;    // -1 the negative side of the surface, +1 the positive side
  input::Vec3 interiorPoint;
  bool hasInteriorPoint = false;

  int Count() const { return static_cast<int>(surfaces.size()); }
  void Append(int surface, int sense) {
    surfaces.push_back(surface);
    senses.push_back(sense);
  }
  void RemoveAt(int position) {
    surfaces.erase(surfaces.begin() + position);
    senses.erase(senses.begin() + position);
  }
  int Find(int surface) const {
    for (int k = 0; k < Count(); ++k)
      if (surfaces[static_cast<std::size_t>(k)] == surface) return k;
    return -1;
  }
};

}  // namespace tessarin::render
