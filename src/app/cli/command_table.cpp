#include "app/cli/cli.h"
#include "app/cli/commands.h"

namespace tessarin::cli {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
  };
  return commands;
}

}  // namespace tessarin::cli
