#pragma once
// Where the parameter file lives when none is named on the command line:
// beside the program when a file is already there or the folder can be
// written, else in the user's configuration folder (an installed program's
// folder is usually read-only, and saving there would always fail).

#include <string>

namespace tessarin::ui {

// `programFolder` ends with '/'. The configuration folder is
// $XDG_CONFIG_HOME/Tessarin/ (else ~/.config/Tessarin/); it is created so
// that the first Save can write there.
std::string DefaultParameterFilePath(const std::string& programFolder);

}  // namespace tessarin::ui
