#include "app/cli/selected_set.h"

#include <fstream>
#include <sstream>
#include <ostream>

#include "app/cli/option_names.h"
#include "platform/headless_host.h"
#include "platform/paths.h"
#include "platform/regular_file.h"

namespace tessarin::cli {
namespace {

constexpr const char* kStandardInput = "-";

void ReportFailure(const CommandDescription& command, const std::string& message, CommandIo& io) {
  io.err << "tessarin-cli " << command.name << ": " << message << "\n";
}

// The reader's result, or nothing after a message when the file cannot be opened.
std::optional<settings::ParameterFileReadResult> OpenAndRead(const std::string& path, platform::Host& host,
                                                            const CommandDescription& command, CommandIo& io) {
  if (path == kStandardInput) return settings::ReadParameterFile(io.in, "standard input", host);
  std::ifstream file;
  std::string reason;
  if (!platform::OpenRegularFile(path, file, &reason)) {
    ReportFailure(command, "cannot read parameter file '" + path + "': " + reason, io);
    return std::nullopt;
  }
  return settings::ReadParameterFile(file, path, host);
}

// Reads `path` (or standard input for "-"). The reader's warnings go to
// io.err, except the one that promises a default set: the window program
// makes that set, here the command fails instead.
std::optional<settings::ParameterFileReadResult> ReadFile(const std::string& path, const CommandDescription& command,
                                                         CommandIo& io) {
  std::ostringstream readerMessages;
  platform::HeadlessHost host(readerMessages);
  std::optional<settings::ParameterFileReadResult> read = OpenAndRead(path, host, command, io);
  if (read && read->defaultCreated) {
    const std::string file = path == kStandardInput ? std::string("from standard input") : "'" + path + "'";
    ReportFailure(command, "cannot read parameter file " + file + ": its header or first set has an incorrect format",
                  io);
    if (!read->failureDetail.empty()) io.err << read->failureDetail << "\n";
    return std::nullopt;
  }
  io.err << readerMessages.str();
  return read;
}

}  // namespace

CommandStep<SelectedSet> LoadSelectedSet(const std::vector<std::string>& args, const CommandDescription& command,
                                         bool acceptsSetOption, CommandIo& io) {
  ArgumentSpec spec;
  spec.minPositional = 1;
  spec.maxPositional = 1;
  if (acceptsSetOption) spec.valueOptions.insert(kSetOption);
  CommandStep<ParsedArguments> arguments = ParseCommandArguments(args, spec, command, io);
  if (!arguments) return CommandStep<SelectedSet>::End(arguments.ExitCode());
  return LoadSelectedSet(arguments->positional.front(), arguments->Value(kSetOption), command, io);
}

CommandStep<SelectedSet> LoadSelectedSet(const std::string& path, const std::optional<std::string>& setNumberText,
                                         const CommandDescription& command, CommandIo& io) {
  std::optional<long long> requestedSet;
  if (setNumberText) {
    requestedSet = ParseWholeNumber(*setNumberText, 1, settings::kMaxParameterSets);
    if (!requestedSet) {
      ReportUsageError(command, "--set needs a set number from 1 on, not '" + *setNumberText + "'", io);
      return CommandStep<SelectedSet>::End(kExitUsage);
    }
  }

  std::optional<settings::ParameterFileReadResult> read = ReadFile(path, command, io);
  if (!read) return CommandStep<SelectedSet>::End(kExitFailure);

  SelectedSet selected;
  selected.list = std::move(read->list);
  const auto setCount = static_cast<long long>(selected.list.sets.size());
  if (requestedSet && *requestedSet > setCount) {
    ReportUsageError(command,
                     "there is no set " + std::to_string(*requestedSet) + "; the file holds " +
                         std::to_string(setCount) + (setCount == 1 ? " set" : " sets"),
                     io);
    return CommandStep<SelectedSet>::End(kExitUsage);
  }
  int current = selected.list.current;
  if (current < 0 || current >= setCount) current = 0;
  selected.index = requestedSet ? static_cast<int>(*requestedSet - 1) : current;
  selected.startupDirectory = platform::CurrentDirectory();
  selected.fileReadInPart = read->readInPart;
  return selected;
}

}  // namespace tessarin::cli
