#include <ostream>

#include "app/cli/commands.h"
#include "app/cli/selected_set.h"
#include "launch/command_line.h"

namespace tessarin::cli {
namespace {

constexpr CommandDescription kCmdline{
    "cmdline",
    "Usage: tessarin-cli cmdline FILE [--set N]\n"
    "\n"
    "Prints the simulator command line of a parameter set of FILE (\"-\" reads\n"
    "standard input) as one line. Paths in it are relative to the console\n"
    "directory of the set; the current directory stands for the program's\n"
    "start-up directory. A set without a simulator program gives an empty line\n"
    "and a note on standard error; a line longer than 1813 characters is\n"
    "refused (exit status 1).\n"
    "\n"
    "  --set N   use set N (counting from 1) instead of the file's current set\n"};

}  // namespace

int RunCmdlineCommand(const std::vector<std::string>& args, CommandIo& io) {
  CommandStep<SelectedSet> selected = LoadSelectedSet(args, kCmdline, true, io);
  if (!selected) return selected.ExitCode();
  settings::VIEWPARM workingCopy = selected->set();
  launch::CommandLine line = launch::BuildCommandLine(workingCopy, selected->Context());
  const int setNumber = selected->index + 1;
  if (line.tooLong) {
    io.err << "tessarin-cli cmdline: the command line of set " << setNumber << " would be longer than "
           << launch::kMaxCommandLineLength << " characters\n";
    return kExitFailure;
  }
  if (line.text.empty())
    io.err << "tessarin-cli cmdline: set " << setNumber << " names no simulator program\n";
  io.out << line.text << "\n";
  return selected->ExitCode(kExitSuccess);
}

}  // namespace tessarin::cli
