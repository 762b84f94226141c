#include "ui/default_parameter_file.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "ui/messages.h"

namespace tessarin::ui {
namespace {

std::string ConfigurationFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config == '/') return std::string(config) + "/Tessarin/";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "") + "/.config/Tessarin/";
}

}  // namespace

std::string DefaultParameterFilePath(const std::string& programFolder) {
  std::string besideProgram = programFolder + std::string(messages::kDefaultParameterFileName);
  std::error_code error;
  if (std::filesystem::exists(besideProgram, error) || ::access(programFolder.c_str(), W_OK) == 0)
    return besideProgram;
  std::string folder = ConfigurationFolder();
  std::filesystem::create_directories(folder, error);  // a failure shows when saving
  return folder + std::string(messages::kDefaultParameterFileName);
}

}  // namespace tessarin::ui
