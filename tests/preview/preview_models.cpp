#include "preview/preview_models.h"

namespace tessarin::preview::testing {

TextModel::TextModel(const std::string& text, double viewSize) {
  tessarin::testing::WriteWholeFile(folder.File("model.inp"), text);
  set = render::script_check::SetForInput(folder.File("model.inp"), folder.path());
  set.viewSize = viewSize;
  set.sourceSizeRatio = 0;
  read = render::script_check::ReadSetInput(set, folder.path());
}

}  // namespace tessarin::preview::testing
