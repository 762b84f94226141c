#include "launch/run_folders.h"

#include "platform/paths.h"

namespace tessarin::launch {

bool IsBlankFolder(std::string_view folder) {
  return folder.find_first_not_of(" \t") == std::string_view::npos;
}

std::string FolderOrStartupDirectory(std::string_view folder, std::string_view startupDirectory) {
  if (IsBlankFolder(folder)) return std::string(startupDirectory);
  return platform::WithTrailingSeparator(platform::NormalizeSeparators(folder));
}

void FillEmptyFolders(settings::VIEWPARM& set, std::string_view startupDirectory) {
  for (std::string* folder : {&set.InputFileFolder, &set.VarnholtFolder, &set.cmdFolder})
    if (IsBlankFolder(*folder)) *folder = std::string(startupDirectory);
}

std::string ConsoleDirectory(const settings::VIEWPARM& set, std::string_view startupDirectory) {
  std::string_view folder;
  switch (static_cast<ConsoleFolderOption>(set.cmdFolderOption)) {
    case ConsoleFolderOption::InputFileFolder: folder = set.InputFileFolder; break;
    case ConsoleFolderOption::VarnholtFolder: folder = set.VarnholtFolder; break;
    case ConsoleFolderOption::CustomFolder: folder = set.cmdFolder; break;
    case ConsoleFolderOption::StartupDirectory: break;
  }
  return platform::AbsolutePath(FolderOrStartupDirectory(folder, startupDirectory), startupDirectory);
}

}  // namespace tessarin::launch
