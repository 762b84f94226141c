#include "app/cli/png_file.h"

#include <png.h>

#include <csetjmp>

#include "platform/file_replacement.h"

namespace tessarin::cli {

namespace {

void WriteBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* file = static_cast<platform::FileReplacement*>(png_get_io_ptr(png));
  file->Write(std::string_view(reinterpret_cast<const char*>(data), length));
}

void FlushNothing(png_structp) {}

// libpng reports errors by long jump; nothing with a destructor may live
// between setjmp and the calls that can jump.
bool WriteRows(platform::FileReplacement& file, const preview::RgbImage& image) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_set_write_fn(png, &file, WriteBytes, FlushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int row = 0; row < image.height; ++row)
    png_write_row(png, image.pixels.data() + 3 * static_cast<std::size_t>(row) * static_cast<std::size_t>(image.width));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool PreparePngFile(platform::FileReplacement& file, const preview::RgbImage& image, std::string& error) {
  if (image.width <= 0 || image.height <= 0) {
    error = "the picture is empty";
    return false;
  }
  const bool encoded = !file.Failed() && WriteRows(file, image);
  if (!encoded || !file.Prepare()) {
    error = "cannot write " + file.Path() + (file.Failed() ? ": " + file.Reason() : std::string());
    return false;
  }
  return true;
}

bool WritePngFile(const std::string& path, const preview::RgbImage& image, std::string& error) {
  // An older picture stays until the new one is complete.
  platform::FileReplacement file(path);
  if (!PreparePngFile(file, image, error)) return false;
  if (!file.Commit()) {
    error = "cannot write " + path + ": " + file.Reason();
    return false;
  }
  return true;
}

}  // namespace tessarin::cli
