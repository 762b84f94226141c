#pragma once
// The MGED start command: a program path, optionally in double quotes,
// followed by arguments.

#include <string>
#include <string_view>

namespace tessarin::settings {

struct MgedCommandLine {
  std::string program;    // without its quotes
  std::string arguments;  // the text after the closing quote, beginning with its blank
  bool quoted = false;    // a closing quote was found and text follows it
};

// Leading quotes are skipped; the program ends at the next quote. Without a
// closing quote followed by more text the whole line counts as the program.
MgedCommandLine SplitMgedCommandLine(std::string_view commandLine);

// The line again, with the program passed through `convertProgram`.
template <class Convert>
std::string JoinMgedCommandLine(const MgedCommandLine& parts, Convert convertProgram) {
  if (!parts.quoted) return convertProgram(parts.program);
  return "\"" + convertProgram(parts.program) + "\"" + parts.arguments;
}

}  // namespace tessarin::settings
