#pragma once
// What the commands that read an input file let its user programs do:
// --time-limit, --allow-system and --allow-files, parsed the same way by
// check, rt, plot and overlaps.

#include <optional>

#include "app/cli/command_arguments.h"

namespace tessarin::cli {

struct UserProgramOptions {
  double timeLimit = 0;  // seconds; 0 for none
  bool allowSystem = false;
  bool allowFiles = false;
};

// The options' lines of a command's --help text.
#define TESSARIN_USER_PROGRAM_OPTIONS_HELP                                              \
  "  --time-limit SECONDS\n"                                                            \
  "                 interrupt a user program of the input file that runs longer,\n"     \
  "                 as Esc then Q does on a terminal\n"                                 \
  "  --allow-system let the input file's user programs run commands of the system\n"   \
  "                 shell with System; without it System is a runtime error\n"         \
  "  --allow-files  let the input file's user programs write files outside its\n"      \
  "                 folder and read files outside its folder and subfolders;\n"        \
  "                 without it such a file is a runtime error\n"

void AddUserProgramOptions(ArgumentSpec& spec);

// Nothing, after a usage message on io.err, when --time-limit is not a
// positive number.
std::optional<UserProgramOptions> ReadUserProgramOptions(const ParsedArguments& arguments,
                                                         const CommandDescription& command, CommandIo& io);

}  // namespace tessarin::cli
