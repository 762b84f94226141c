#include "ui/manual_path.h"

#include <filesystem>
#include <system_error>

namespace tessarin::ui {
namespace {

constexpr std::string_view kDocsFolder = "Docs/";
constexpr std::string_view kInstalledDocsFolder = "../share/doc/tessarin/";
constexpr std::string_view kTessarinManualFile = "Tessarin - User Manual.pdf";
constexpr std::string_view kVarnholtManualFile = "Varnholt - User Manual.pdf";

bool IsFolder(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

}  // namespace

std::string ManualFolder(std::string_view programFolder) {
  std::string beside = std::string(programFolder) + std::string(kDocsFolder);
  if (IsFolder(beside)) return beside;
  std::string installed = std::string(programFolder) + std::string(kInstalledDocsFolder);
  if (!IsFolder(installed)) return beside;
  std::error_code error;
  std::filesystem::path normal = std::filesystem::weakly_canonical(installed, error);
  return error ? installed : normal.string() + (normal.string().back() == '/' ? "" : "/");
}

std::string ManualPath(std::string_view programFolder, Manual manual) {
  return ManualFolder(programFolder) +
         std::string(manual == Manual::Tessarin ? kTessarinManualFile : kVarnholtManualFile);
}

}  // namespace tessarin::ui
