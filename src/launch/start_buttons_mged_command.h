#pragma once
// How the MGED start command of a set is taken apart for starting it: the
// program, optionally in double quotes, and the arguments after it.

#include <string>
#include <string_view>

namespace tessarin::launch {

struct MgedStartCommand {
  std::string program;    // without quotes and trailing blanks
  std::string arguments;  // the text after the program's closing quote
};

// Leading blanks, tabs and double quotes are skipped; the program runs up to
// the next double quote, or to the end when there is none (then there are
// no arguments).
MgedStartCommand SplitMgedStartCommand(std::string_view commandLine);

}  // namespace tessarin::launch
