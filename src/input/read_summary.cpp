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

std::string ReadSummary(const GeometryModel& model, const std::string& fileName, int userPrograms) {
  const auto& ids = model.materials.materialId;
  long long materials = std::count_if(ids.begin(), ids.end(), [](std::int32_t id) { return id > 0; });
  long long surfaces = std::count_if(model.surfaces.begin(), model.surfaces.end(),
                                     [](const SurfaceRecord& s) { return s.owner < 0 && s.facetNumber > 0; });
  long long macrobodies = std::count_if(model.macrobodies.begin(), model.macrobodies.end(),
                                        [](const MacrobodyRecord& m) { return m.copyRoot < 0; });
  std::string counts = Counted(static_cast<long long>(model.cells.size()), "cell", "cells") + " in " +
                       Counted(materials, "material", "materials") + ", " +
                       Counted(surfaces, "surface", "surfaces") + ", " +
                       Counted(macrobodies, "macrobody", "macrobodies") + ", " +
                       Counted(static_cast<long long>(model.unions.size()), "union", "unions") + ", " +
                       Counted(userPrograms, "user program", "user programs");
  return platform::FormatText(messages::kReadSummary, fileName.c_str(), counts.c_str());
}

}  // namespace tessarin::input
