#include <ostream>

#include "app/cli/commands.h"
#include "app/cli/selected_set.h"
#include "platform/headless_host.h"
#include "settings/parameter_file.h"

namespace tessarin::cli {
namespace {

constexpr CommandDescription kShow{
    "show",
    "Usage: tessarin-cli show FILE [--set N]\n"
    "\n"
    "Prints every field of a parameter set of FILE (\"-\" reads standard input)\n"
    "as \"key = value\" lines, exactly as the parameter file stores them. Paths\n"
    "under the current directory, which stands for the program's start-up\n"
    "directory, are shown relative to it.\n"
    "\n"
    "  --set N   use set N (counting from 1) instead of the file's current set\n"};

}  // namespace

int RunShowCommand(const std::vector<std::string>& args, CommandIo& io) {
  CommandStep<SelectedSet> selected = LoadSelectedSet(args, kShow, true, io);
  if (!selected) return selected.ExitCode();
  platform::HeadlessHost host(io.err);
  settings::WriteParameterSetLines(io.out, selected->set(), selected->startupDirectory, host.ButtonFaceColor());
  return selected->ExitCode(kExitSuccess);
}

}  // namespace tessarin::cli
