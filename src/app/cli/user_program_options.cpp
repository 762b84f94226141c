#include "app/cli/user_program_options.h"

#include <charconv>

#include "app/cli/option_names.h"

namespace tessarin::cli {

void AddUserProgramOptions(ArgumentSpec& spec) {
  spec.valueOptions.insert(kTimeLimitOption);
  spec.flags.insert(kAllowSystemFlag);
  spec.flags.insert(kAllowFilesFlag);
}

std::optional<UserProgramOptions> ReadUserProgramOptions(const ParsedArguments& arguments,
                                                         const CommandDescription& command, CommandIo& io) {
  UserProgramOptions options;
  options.allowSystem = arguments.Has(kAllowSystemFlag);
  options.allowFiles = arguments.Has(kAllowFilesFlag);
  if (std::optional<std::string> text = arguments.Value(kTimeLimitOption)) {
    const char* end = text->data() + text->size();
    auto [ptr, ec] = std::from_chars(text->data(), end, options.timeLimit);
    if (ec != std::errc() || ptr != end || !(options.timeLimit > 0)) {
      ReportUsageError(command, "--time-limit needs a positive number of seconds", io);
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace tessarin::cli
