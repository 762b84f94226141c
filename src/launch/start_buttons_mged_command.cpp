#include "launch/start_buttons_mged_command.h"

namespace tessarin::launch {

MgedStartCommand SplitMgedStartCommand(std::string_view commandLine) {
  MgedStartCommand command;
  std::size_t start = commandLine.find_first_not_of(" \t\"");
  if (start == std::string_view::npos) return command;
  std::size_t quote = commandLine.find('"', start);
  std::string_view program = commandLine.substr(start, quote == std::string_view::npos ? quote : quote - start);
  std::size_t last = program.find_last_not_of(" \t");
  command.program = std::string(program.substr(0, last == std::string_view::npos ? 0 : last + 1));
  if (quote != std::string_view::npos) command.arguments = std::string(commandLine.substr(quote + 1));
  return command;
}

}  // namespace tessarin::launch
