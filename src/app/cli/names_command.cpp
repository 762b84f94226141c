#include <ostream>

#include "app/cli/commands.h"
#include "app/cli/selected_set.h"
#include "launch/file_names.h"
#include "platform/paths.h"

namespace tessarin::cli {
namespace {

constexpr CommandDescription kNames{
    "names",
    "Usage: tessarin-cli names FILE [--set N]\n"
    "\n"
    "Prints the four file names that belong to a parameter set of FILE (\"-\"\n"
    "reads standard input), one line each, in this order and form:\n"
    "\n"
    "  output file:      ABSOLUTE  (relative: RELATIVE)\n"
    "  log file:         ABSOLUTE  (relative: RELATIVE)\n"
    "  track data file:  ABSOLUTE  (relative: RELATIVE)\n"
    "  RT script:        ABSOLUTE  (relative: RELATIVE)\n"
    "\n"
    "Relative paths are taken from the current directory, which stands for the\n"
    "program's start-up directory; a name outside it shows its absolute form in\n"
    "both places. A name that cannot be derived (no custom output file name) is\n"
    "shown as \"(none)\".\n"
    "\n"
    "  --set N   use set N (counting from 1) instead of the file's current set\n"};

void PrintName(std::string_view label, const std::string& name, const std::string& startupDirectory,
               std::ostream& out) {
  out << label;
  if (name.empty()) {
    out << "(none)\n";
    return;
  }
  out << platform::AbsolutePath(name, startupDirectory)
      << "  (relative: " << platform::RelativePath(name, startupDirectory, startupDirectory) << ")\n";
}

}  // namespace

int RunNamesCommand(const std::vector<std::string>& args, CommandIo& io) {
  CommandStep<SelectedSet> selected = LoadSelectedSet(args, kNames, true, io);
  if (!selected) return selected.ExitCode();
  const std::string& startup = selected->startupDirectory;
  launch::DerivedFileNames names = launch::DeriveFileNames(selected->set(), selected->Context());
  PrintName("output file:      ", names.output, startup, io.out);
  PrintName("log file:         ", names.log, startup, io.out);
  PrintName("track data file:  ", names.trackData, startup, io.out);
  PrintName("RT script:        ", names.rtScript, startup, io.out);
  return selected->ExitCode(kExitSuccess);
}

}  // namespace tessarin::cli
