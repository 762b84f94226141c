#include "app/cli/cli.h"
#include "app/cli/commands.h"

namespace tessarin::cli {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"sets", "FILE", "list the parameter sets and the current one", RunSetsCommand},
      {"show", "FILE [--set N]", "print every field of a parameter set", RunShowCommand},
      {"names", "FILE [--set N]", "print the four file names derived from a set", RunNamesCommand},
      {"cmdline", "FILE [--set N]", "print the simulator command line of a set", RunCmdlineCommand},
      {"check", "INPUT [--params FILE --set N] [--dump]", "read and check a simulator input file", RunCheckCommand},
      {"rt", "FILE [--set N] [--yes]", "make the RT script of a set for MGED", RunRtCommand},
      {"tracks", "count|stats|export FILE [--set N]", "count, summarise or export a set's tracks", RunTracksCommand},
      {"plot", "FILE [--set N] [--basis B] ... -o PICTURE.png", "draw a slice of a set's geometry as a PNG picture",
       RunPlotCommand},
      {"overlaps", "FILE [--set N] [--json] ...", "find overlapping cells and undefined regions",
       RunOverlapsCommand},
  };
  return commands;
}

}  // namespace tessarin::cli
