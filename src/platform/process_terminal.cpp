#include "platform/process_terminal.h"

#include <cstdlib>
#include <filesystem>

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

bool IsXterm(std::string_view name) {
  constexpr std::string_view kXterm = "xterm";
  return name.size() >= kXterm.size() && name.substr(name.size() - kXterm.size()) == kXterm;
}

}  // namespace

TerminalEmulator ChooseTerminalEmulator() {
  const char* configured = std::getenv(kTerminalVariable);
  if (configured != nullptr && *configured != '\0') return DescribeTerminalEmulator(configured);
  std::string directory = CurrentDirectory();
  if (FindExecutable("x-terminal-emulator", directory)) return DescribeTerminalEmulator("x-terminal-emulator");
  return DescribeTerminalEmulator("xterm");
}

TerminalEmulator DescribeTerminalEmulator(std::string_view program) {
  TerminalEmulator terminal;
  terminal.program = std::string(program);
  std::string path = FindExecutable(program, CurrentDirectory()).value_or(std::string(program));
  std::error_code error;
  std::filesystem::path real = std::filesystem::canonical(path, error);
  terminal.name = error ? std::filesystem::path(path).filename().string() : real.filename().string();
  return terminal;
}

ProcessStart TerminalStart(const TerminalEmulator& terminal, std::string_view commandLine,
                           std::string_view directory, int columns) {
  ProcessStart start;
  start.program = terminal.program;
  start.directory = std::string(directory);
  // xterm and its wrappers (uxterm, lxterm) take their size on the command
  // line, and by default ignore the resize request; other terminals follow
  // the request of the script.
  if (IsXterm(terminal.name))
    start.arguments = {"-geometry", std::to_string(columns) + "x50"};
  start.arguments.insert(start.arguments.end(), {"-e", "/bin/sh", "-c", ConsoleScript(commandLine, columns)});
  if (!commandLine.empty()) start.arguments.insert(start.arguments.end(), {"sh", std::string(commandLine)});
  return start;
}

}  // namespace tessarin::platform
