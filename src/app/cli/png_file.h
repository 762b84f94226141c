#pragma once
// Writing a picture of the geometry view as a PNG file (libpng).

#include <string>

#include "preview/slice_picture.h"

namespace tessarin::cli {

// False with a reason in `error` when the file cannot be written.
[[nodiscard]] bool WritePngFile(const std::string& path, const preview::RgbImage& image, std::string& error);

}  // namespace tessarin::cli
