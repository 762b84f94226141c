#pragma once
// Writing a picture of the geometry view as a PNG file (libpng).

#include <string>

#include "platform/file_replacement.h"
#include "preview/slice_picture.h"

namespace tessarin::cli {

// False with a reason in `error` when the file cannot be written.
[[nodiscard]] bool WritePngFile(const std::string& path, const preview::RgbImage& image, std::string& error);

// The picture as the new version of `file`, made whole on the disk but not
// yet in place (FileReplacement::Prepare), for a command whose outputs
// replace their older files together. False with a reason in `error`.
[[nodiscard]] bool PreparePngFile(platform::FileReplacement& file, const preview::RgbImage& image,
                                  std::string& error);

}  // namespace tessarin::cli
