#include "app/cli/command_arguments.h"

#include <ostream>
#include <utility>

namespace tessarin::cli {

CommandStep<ParsedArguments> ParseCommandArguments(const std::vector<std::string>& args, const ArgumentSpec& spec,
                                                   const CommandDescription& command, CommandIo& io) {
  std::string error;
  std::optional<ParsedArguments> parsed = ParseArguments(args, spec, error);
  if (!parsed) {
    ReportUsageError(command, error, io);
    return CommandStep<ParsedArguments>::End(kExitUsage);
  }
  if (parsed->helpRequested) {
    io.out << command.help;
    return CommandStep<ParsedArguments>::End(kExitSuccess);
  }
  return std::move(*parsed);
}

bool ParsePictureSize(const std::string& text, long long most, int& width, int& height) {
  const std::size_t times = text.find('x');
  if (times == std::string::npos) return false;
  const std::optional<long long> w = ParseWholeNumber(text.substr(0, times), 1, most);
  const std::optional<long long> h = ParseWholeNumber(text.substr(times + 1), 1, most);
  if (!w || !h) return false;
  width = static_cast<int>(*w);
  height = static_cast<int>(*h);
  return true;
}

void ReportUsageError(const CommandDescription& command, std::string_view message, CommandIo& io) {
  std::string_view usage = command.help.substr(0, command.help.find('\n'));
  io.err << "tessarin-cli " << command.name << ": " << message << "\n"
         << usage << "\n"
         << "Run 'tessarin-cli " << command.name << " --help' for more.\n";
}

}  // namespace tessarin::cli
