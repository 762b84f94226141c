#pragma once
// The folders of a run that default to the start-up directory, and the
// directory in which the simulator's console starts.

#include <string>
#include <string_view>

#include "settings/viewparm.h"

namespace tessarin::launch {

// Values of cmdFolderOption.
enum class ConsoleFolderOption { InputFileFolder = 0, VarnholtFolder = 1, StartupDirectory = 2, CustomFolder = 3 };

// Empty or only blanks and tabs.
[[nodiscard]] bool IsBlankFolder(std::string_view folder);

// The start-up directory for a blank folder, else the folder with slashes
// and a trailing separator (it may still be relative).
std::string FolderOrStartupDirectory(std::string_view folder, std::string_view startupDirectory);

// Sets blank InputFileFolder, VarnholtFolder and cmdFolder to the start-up directory.
void FillEmptyFolders(settings::VIEWPARM& set, std::string_view startupDirectory);

// The console directory chosen by cmdFolderOption, absolute and ending with '/'.
// An option outside 0 to 3 means the start-up directory.
std::string ConsoleDirectory(const settings::VIEWPARM& set, std::string_view startupDirectory);

}  // namespace tessarin::launch
