#pragma once
// A path inside a double-quoted Tcl word of a script for MGED.

#include <string>

namespace tessarin::render {

// `path` with every character escaped that could start a command
// substitution or a variable, or end the word.
std::string TclQuoted(const std::string& path);

}  // namespace tessarin::render
