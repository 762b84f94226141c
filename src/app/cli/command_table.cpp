#include "app/cli/cli.h"
#include "app/cli/commands.h"

namespace tessarin::cli {

const std::vector<Command>& Commands() {
  // The usage lines name every option, so that the command list is a
  // complete summary; "\n" continues a long one on the next line.
  static const std::vector<Command> commands = {
      {"sets", "FILE", "list the parameter sets and the current one", RunSetsCommand},
      {"show", "FILE [--set N]", "print every field of a parameter set", RunShowCommand},
      {"names", "FILE [--set N]", "print the four file names derived from a set", RunNamesCommand},
      {"cmdline", "FILE [--set N]", "print the simulator command line of a set", RunCmdlineCommand},
      {"check", "INPUT [--params FILE [--set N]] [--dump] [--time-limit SECONDS]\n[--allow-system] [--allow-files]",
       "read and check a simulator input file", RunCheckCommand},
      {"rt", "FILE [--set N] [--yes] [--form readable|fast|auto] [--time-limit SECONDS]\n[--allow-system] [--allow-files]",
       "make the RT script of a set for MGED", RunRtCommand},
      {"tracks", "count|stats|export|draw FILE [--set N] [--json] [-o OUT.vtp]\n[--base PATH] [--form readable|fast|auto]",
       "count, summarise, export or draw a set's tracks", RunTracksCommand},
      {"plot",
       "FILE [--set N] [--basis xy|xz|yz|view] [--origin X,Y,Z] [--width W]\n[--pixels WxH] [--time-limit SECONDS] "
       "[--allow-system] [--allow-files]\n-o PICTURE.png",
       "draw a slice of a set's geometry as a PNG picture", RunPlotCommand},
      {"overlaps",
       "FILE [--set N] [--rays N] [--threads N]\n[--region X0,Y0,Z0,X1,Y1,Z1] [--json] "
       "[--time-limit SECONDS]\n[--allow-system] [--allow-files]",
       "find overlapping cells and undefined regions", RunOverlapsCommand},
      {"render",
       "FILE [--set N] -o PICTURE.png [--size WxH] [--no-tracks]\n[--ids PIXELS.csv] [--time-limit SECONDS]\n"
       "[--allow-system] [--allow-files]",
       "raytrace a set's geometry and tracks into a PNG picture", RunRenderCommand},
  };
  return commands;
}

}  // namespace tessarin::cli
