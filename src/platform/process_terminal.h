#pragma once
// The terminal emulator in which the simulator runs: which one, and how it
// is told to run a command line in a shell that stays open afterwards.

#include <string>
#include <string_view>
#include <vector>

#include "platform/process.h"

namespace tessarin::platform {

struct TerminalEmulator {
  std::string program;  // as configured: a path or a name looked up in PATH
  std::string name;     // file name of the real executable: shown in captions
                        // and the name its process is recognised by
};

// The environment variable that names the terminal emulator to use.
inline constexpr const char* kTerminalVariable = "TESSARIN_TERMINAL";

// The configured terminal: $TESSARIN_TERMINAL when set, else
// x-terminal-emulator when installed, else xterm.
TerminalEmulator ChooseTerminalEmulator();

// The configured terminal first, then every other known terminal that is
// installed, each once: the ones to try when a terminal cannot run here
// (GNOME Terminal without a session bus, for one).
std::vector<TerminalEmulator> TerminalEmulatorChoices();

// The terminal for `program`, its name taken from the file that a link such
// as x-terminal-emulator finally points to (past Debian's ".wrapper" scripts).
TerminalEmulator DescribeTerminalEmulator(std::string_view program);

// Starts `terminal` in `directory` with a shell that widens the terminal to
// `columns` columns, runs `commandLine` (nothing when empty) with `directory`
// searched first for programs, and then stays open for the user. Terminals
// that normally return at once are kept in the foreground, so that the
// started process lives as long as the terminal's window.
ProcessStart TerminalStart(const TerminalEmulator& terminal, std::string_view commandLine,
                           std::string_view directory, int columns);

}  // namespace tessarin::platform
