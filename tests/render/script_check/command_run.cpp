#include "render/script_check/command_run.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace tessarin::render::script_check {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

CommandOutcome RunCommand(const std::string& command, int seconds) {
  CommandOutcome outcome;
  std::string line = "timeout " + std::to_string(seconds) + " sh -c " + ShellQuoted(command) + " 2>&1";
  FILE* pipe = popen(line.c_str(), "r");
  if (!pipe) return outcome;
  std::array<char, 4096> buffer;
  std::size_t read = 0;
  while ((read = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) outcome.output.append(buffer.data(), read);
  int status = pclose(pipe);
  outcome.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

}  // namespace tessarin::render::script_check
