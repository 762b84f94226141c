#include "app/cli/cli.h"

#include <exception>
#include <iostream>
#include <string>

namespace tessarin::cli {
namespace {

void PrintUsage(std::ostream& out) {
  out << "Usage: tessarin-cli COMMAND [ARGUMENTS]\n"
         "\n"
         "Works with Tessarin parameter files and simulator input files without a window.\n"
         "Set numbers given with --set count from 1, as in the parameter-set list;\n"
         "without --set a command uses the file's current set. FILE \"-\" reads a\n"
         "parameter file from standard input.\n"
         "\n"
         "Commands and their options:\n";
  for (const Command& command : Commands()) {
    std::string name(command.name);
    std::string usage(command.usage);
    // Continuation lines of a long usage line up under its first argument.
    std::string indent(2 + name.size() + 1, ' ');
    for (std::size_t at = usage.find('\n'); at != std::string::npos; at = usage.find('\n', at + 1))
      usage.insert(at + 1, indent);
    out << "  " << name << " " << usage << "\n      " << command.summary << "\n";
  }
  out << "\n"
         "Run 'tessarin-cli COMMAND --help' or 'tessarin-cli help COMMAND' for what\n"
         "each option does.\n"
         "Standard output carries each command's result; messages of the input\n"
         "reader, warnings, errors and usage errors go to standard error.\n"
         "Exit status: 0 success, 1 failure, 2 bad usage.\n";
}

int RunAndFlush(const Command& command, const std::vector<std::string>& args, CommandIo& io) {
  const int exitCode = command.run(args, io);
  // Output lost on a full disk or a closed pipe must not pass for success.
  if (!io.out.flush()) {
    io.err << "tessarin-cli " << command.name << ": cannot write the output\n";
    return kExitFailure;
  }
  return exitCode;
}

// The commands return their status; a failure they did not foresee (a read
// error deep in a stream, memory running out) still ends with a message and
// status 1 rather than an abort.
int RunGuarded(const Command& command, const std::vector<std::string>& args, CommandIo& io) {
  std::string what = "unknown exception";
  try {
    return RunAndFlush(command, args, io);
  } catch (const std::exception& failure) {
    what = failure.what();
  } catch (...) {
  }
  io.err << "tessarin-cli " << command.name << ": unexpected failure: " << what << "\n";
  return kExitFailure;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, CommandIo& io) {
  if (args.empty()) {
    PrintUsage(io.err);
    return kExitUsage;
  }
  const std::string& name = args.front();
  if (name == "--help" || name == "-h" || name == "help") {
    // "help COMMAND" is the same as "COMMAND --help".
    if (name == "help" && args.size() == 2) return RunCli({args[1], "--help"}, io);
    PrintUsage(io.out);
    return kExitSuccess;
  }
  for (const Command& command : Commands()) {
    if (name == command.name) {
      std::vector<std::string> rest(args.begin() + 1, args.end());
      return RunGuarded(command, rest, io);
    }
  }
  io.err << "tessarin-cli: unknown command '" << name << "'\n";
  io.err << "Run 'tessarin-cli --help' for the list of commands.\n";
  return kExitUsage;
}

}  // namespace tessarin::cli
