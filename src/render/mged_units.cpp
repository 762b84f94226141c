#include "render/mged_units.h"

namespace tessarin::render {

int ChooseMgedUnit(double viewSize) {
  const int rows = static_cast<int>(kMgedUnits.size());
  int first = 0;
  while (first < rows && kMgedUnits[static_cast<std::size_t>(first)].size < viewSize) ++first;
  if (first == rows) return rows - 1;
  if (first >= 1 && (viewSize <= 100 * kMgedUnits[static_cast<std::size_t>(first - 1)].size ||
                     viewSize <= 0.01 * kMgedUnits[static_cast<std::size_t>(first)].size))
    return first - 1;
  return first;
}

}  // namespace tessarin::render
