#pragma once
// Running an outside program (tclsh, MGED, rt) from a test and keeping what
// it printed. Every command runs under `timeout`, so none can hang a test.

#include <string>

namespace tessarin::render::script_check {

struct CommandOutcome {
  int exitStatus = -1;
  std::string output;  // standard output and standard error together
};

// `command` is a shell command line; `seconds` bounds its run time.
CommandOutcome RunCommand(const std::string& command, int seconds = 300);

// The text in single quotes for a shell command line.
std::string ShellQuoted(const std::string& text);

}  // namespace tessarin::render::script_check
