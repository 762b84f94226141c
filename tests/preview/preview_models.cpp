#include "preview/preview_models.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tessarin::preview::testing {

TextModel::TextModel(const std::string& text, double viewSize) {
  tessarin::testing::WriteWholeFile(folder.File("model.inp"), text);
  set = render::script_check::SetForInput(folder.File("model.inp"), folder.path());
  set.viewSize = viewSize;
  set.sourceSizeRatio = 0;
  read = render::script_check::ReadSetInput(set, folder.path());
}

int ForEachExampleModel(
    const std::function<void(const settings::VIEWPARM& set, const input::GeometryModel& model)>& check) {
  int models = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(TESSARIN_SOURCE_DIR) + "/examples")) {
    if (entry.path().extension() != ".inp") continue;
    SCOPED_TRACE(entry.path().filename().string());
    tessarin::testing::TempDir folder;
    const settings::VIEWPARM set = render::script_check::SetForInput(entry.path().string(), folder.path());
    const render::script_check::ReadModel read = render::script_check::ReadSetInput(set, folder.path());
    if (!read.loaded || read.model.cells.empty()) continue;
    ++models;
    check(set, read.model);
  }
  return models;
}

}  // namespace tessarin::preview::testing
