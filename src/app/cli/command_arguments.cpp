#include "app/cli/command_arguments.h"

#include <ostream>

namespace tessarin::cli {

std::optional<ParsedArguments> ParseCommandArguments(const std::vector<std::string>& args, const ArgumentSpec& spec,
                                                     const CommandDescription& command, CommandIo& io, int& exitCode) {
  std::string error;
  std::optional<ParsedArguments> parsed = ParseArguments(args, spec, error);
  if (!parsed) {
    ReportUsageError(command, error, io);
    exitCode = kExitUsage;
    return std::nullopt;
  }
  if (parsed->helpRequested) {
    io.out << command.help;
    exitCode = kExitSuccess;
    return std::nullopt;
  }
  return parsed;
}

void ReportUsageError(const CommandDescription& command, std::string_view message, CommandIo& io) {
  std::string_view usage = command.help.substr(0, command.help.find('\n'));
  io.err << "tessarin-cli " << command.name << ": " << message << "\n"
         << usage << "\n"
         << "Run 'tessarin-cli " << command.name << " --help' for more.\n";
}

}  // namespace tessarin::cli
