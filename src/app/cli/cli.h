#pragma once
// tessarin-cli: the core without a window. Each sub-command lives in its own
// file and is listed in the command table.

#include <iosfwd>
#include <string>
#include <vector>

namespace tessarin::cli {

// Exit statuses: 0 success, 1 the work failed (bad file, read error), 2 bad usage.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct CommandIo {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

using CommandFunction = int (*)(const std::vector<std::string>& args, CommandIo& io);

struct Command {
  const char* name;
  const char* usage;    // arguments after the command name
  const char* summary;  // one line for the command list
  CommandFunction run;
};

const std::vector<Command>& Commands();

// Runs the program on its arguments (without the program name).
int RunCli(const std::vector<std::string>& args, CommandIo& io);

}  // namespace tessarin::cli
