#pragma once
// Where the user manuals are: the Docs folder beside the program in a build
// tree, or the installed documentation folder of an installed program
// (<prefix>/bin/tessarin next to <prefix>/share/doc/tessarin).

#include <string>
#include <string_view>

namespace tessarin::ui {

enum class Manual { Tessarin, Varnholt };

// The program folder's Docs/ unless only the installed folder exists.
// Both end with '/'.
std::string ManualFolder(std::string_view programFolder);

std::string ManualPath(std::string_view programFolder, Manual manual);

}  // namespace tessarin::ui
