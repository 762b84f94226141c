#pragma once
// The argument handling every sub-command shares: --help, and a short note
// on standard error for arguments it cannot use.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/arguments.h"
#include "app/cli/cli.h"
#include "app/cli/command_step.h"

namespace tessarin::cli {

struct CommandDescription {
  std::string_view name;  // e.g. "names"
  std::string_view help;  // the full --help text; its first line is the usage line
};

// The parsed arguments, or the end of the command: kExitSuccess after
// printing the help, kExitUsage after a message on io.err.
CommandStep<ParsedArguments> ParseCommandArguments(const std::vector<std::string>& args, const ArgumentSpec& spec,
                                                   const CommandDescription& command, CommandIo& io);

// "WxH", each a whole number from 1 to `most`.
[[nodiscard]] bool ParsePictureSize(const std::string& text, long long most, int& width, int& height);

// Prints "tessarin-cli NAME: message" and the pointer to --help on io.err.
void ReportUsageError(const CommandDescription& command, std::string_view message, CommandIo& io);

}  // namespace tessarin::cli
