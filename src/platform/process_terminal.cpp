#include "platform/process_terminal.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/paths.h"
#include "platform/process_command_line.h"

namespace tessarin::platform {
namespace {

// The command line arrives as the shell's $1 and is evaluated in a subshell,
// so that a syntax error in it cannot close the terminal. The console
// directory is searched first, as users of the simulator expect from a
// console started in its folder.
std::string ConsoleScript(std::string_view commandLine, int columns) {
  std::string script = "printf '\\033[8;;" + std::to_string(columns) + "t'";
  if (!commandLine.empty()) script += "; (PATH=\"$PWD:$PATH\"; eval \"$1\")";
  script += "; exec \"${SHELL:-/bin/sh}\"";
  return script;
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// How a terminal is told to stay in the foreground until its command ends,
// to take its width, and where the command to run begins. The launchers of
// GNOME Terminal, MATE Terminal, Xfce Terminal and Konsole normally hand the
// window to a server process and return at once, which would end the watch
// while the simulator still runs.
struct TerminalOptions {
  std::vector<std::string> stayInForeground;
  bool widthOnCommandLine = false;  // else the script's resize request widens it
  std::string geometryOption;       // followed by COLUMNSx50
  std::string commandOption;        // the rest of the arguments is the command
};

TerminalOptions OptionsFor(std::string_view name) {
  if (EndsWith(name, "xterm")) return {{}, true, "-geometry", "-e"};  // xterm, uxterm, lxterm
  if (name == "gnome-terminal" || name == "gnome-terminal.real") return {{"--wait"}, true, "--geometry=", "--"};
  if (name == "mate-terminal") return {{"--disable-factory"}, true, "--geometry=", "-x"};
  if (name == "xfce4-terminal") return {{"--disable-server"}, true, "--geometry=", "-x"};
  if (name == "konsole") return {{"--nofork"}, false, {}, "-e"};
  return {{}, false, {}, "-e"};
}

// The distribution's choice first, xterm, which needs nothing but a display,
// last.
constexpr std::string_view kKnownTerminals[] = {"x-terminal-emulator", "gnome-terminal", "konsole",
                                                "xfce4-terminal",      "mate-terminal",  "xterm"};

// Debian's "x-terminal-emulator" wrappers translate xterm's options only and
// would drop the options above; the terminal beside the wrapper is used.
constexpr std::string_view kWrapperExtension = ".wrapper";

}  // namespace

TerminalEmulator ChooseTerminalEmulator() { return TerminalEmulatorChoices().front(); }

std::vector<TerminalEmulator> TerminalEmulatorChoices() {
  std::vector<TerminalEmulator> choices;
  auto add = [&choices](std::string_view program) {
    TerminalEmulator terminal = DescribeTerminalEmulator(program);
    for (const TerminalEmulator& chosen : choices)
      if (chosen.name == terminal.name) return;
    choices.push_back(std::move(terminal));
  };
  const char* configured = std::getenv(kTerminalVariable);
  if (configured != nullptr && *configured != '\0') add(configured);
  std::string directory = CurrentDirectory();
  for (std::string_view known : kKnownTerminals)
    if (FindExecutable(known, directory)) add(known);
  if (choices.empty()) add("xterm");
  return choices;
}

TerminalEmulator DescribeTerminalEmulator(std::string_view program) {
  TerminalEmulator terminal;
  terminal.program = std::string(program);
  std::string path = FindExecutable(program, CurrentDirectory()).value_or(std::string(program));
  std::error_code error;
  std::filesystem::path real = std::filesystem::canonical(path, error);
  terminal.name = error ? std::filesystem::path(path).filename().string() : real.filename().string();
  if (!error && EndsWith(terminal.name, kWrapperExtension)) {
    std::filesystem::path unwrapped = real;
    unwrapped.replace_extension();
    if (FindExecutable(unwrapped.string(), "/")) {
      terminal.program = unwrapped.string();
      terminal.name = unwrapped.filename().string();
    }
  }
  return terminal;
}

ProcessStart TerminalStart(const TerminalEmulator& terminal, std::string_view commandLine,
                           std::string_view directory, int columns) {
  TerminalOptions options = OptionsFor(terminal.name);
  ProcessStart start;
  start.program = terminal.program;
  start.directory = std::string(directory);
  start.arguments = options.stayInForeground;
  std::string size = std::to_string(columns) + "x50";
  if (options.widthOnCommandLine) {
    if (options.geometryOption.back() == '=')
      start.arguments.push_back(options.geometryOption + size);
    else
      start.arguments.insert(start.arguments.end(), {options.geometryOption, size});
  }
  start.arguments.insert(start.arguments.end(),
                         {options.commandOption, "/bin/sh", "-c", ConsoleScript(commandLine, columns)});
  if (!commandLine.empty()) start.arguments.insert(start.arguments.end(), {"sh", std::string(commandLine)});
  return start;
}

}  // namespace tessarin::platform
