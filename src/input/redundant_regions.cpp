#include "input/redundant_regions.h"

#include "input/kernel/surface_pair_verdict.h"

namespace tessarin::input {

std::vector<BoundingEntry> RemoveRedundantRegions(const GeometryModel& model, BoundingList& list) {
  const int count = list.Count();
  std::vector<bool> removed(static_cast<std::size_t>(count), false);
  for (int i = 0; i < count; ++i) {
    if (removed[static_cast<std::size_t>(i)]) continue;
    const SurfaceRecord& first = model.surfaces[list.surfaces[static_cast<std::size_t>(i)]];
    for (int j = i + 1; j < count; ++j) {
      if (removed[static_cast<std::size_t>(j)]) continue;
      const SurfaceRecord& second = model.surfaces[list.surfaces[static_cast<std::size_t>(j)]];
      kernel::PairVerdictKind verdict = kernel::PairVerdict(first, list.senses[static_cast<std::size_t>(i)], second,
                                            list.senses[static_cast<std::size_t>(j)], model.precision)
                                    .verdict;
      if (verdict == kernel::PairVerdictKind::FirstRedundant) {
        removed[static_cast<std::size_t>(i)] = true;
        break;
      }
      if (verdict == kernel::PairVerdictKind::SecondRedundant) removed[static_cast<std::size_t>(j)] = true;
    }
  }
  std::vector<BoundingEntry> dropped;
  BoundingList kept;
  for (int k = 0; k < count; ++k) {
    if (removed[static_cast<std::size_t>(k)]) dropped.push_back(list.Entry(k));
    else kept.Append(list.Entry(k));
  }
  list = std::move(kept);
  return dropped;
}

}  // namespace tessarin::input
