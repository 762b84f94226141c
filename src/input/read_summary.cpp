#include "input/read_summary.h"

#include <algorithm>

#include "input/messages.h"
#include "platform/format_text.h"

namespace tessarin::input {
namespace {

std::string Counted(long long count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

ModelCounts CountModel(const GeometryModel& model) {
  ModelCounts counts;
  const auto& ids = model.materials.materialId;
  counts.cells = static_cast<long long>(model.cells.size());
  counts.materials = std::count_if(ids.begin(), ids.end(), [](std::int32_t id) { return id > 0; });
  counts.surfaces = std::count_if(model.surfaces.begin(), model.surfaces.end(),
                                  [](const SurfaceRecord& s) { return s.owner < 0 && s.facetNumber > 0; });
  counts.macrobodies = std::count_if(model.macrobodies.begin(), model.macrobodies.end(),
                                     [](const MacrobodyRecord& m) { return m.copyRoot < 0; });
  counts.unions = static_cast<long long>(model.unions.size());
  return counts;
}

std::string ReadSummary(const GeometryModel& model, const std::string& fileName, int userPrograms) {
  const ModelCounts found = CountModel(model);
  std::string counts =
      Counted(found.cells, "cell", "cells") + " in " + Counted(found.materials, "material", "materials") + ", " +
      Counted(found.surfaces, "surface", "surfaces") + ", " + Counted(found.macrobodies, "macrobody", "macrobodies") +
      ", " + Counted(found.unions, "union", "unions") + ", " + Counted(userPrograms, "user program", "user programs");
  return platform::FormatText(messages::kReadSummary, fileName.c_str(), counts.c_str());
}

}  // namespace tessarin::input
