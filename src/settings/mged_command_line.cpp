#include "settings/mged_command_line.h"

namespace tessarin::settings {

MgedCommandLine SplitMgedCommandLine(std::string_view commandLine) {
  MgedCommandLine parts;
  const std::size_t programStart = commandLine.find_first_not_of('"');
  if (programStart != std::string_view::npos) {
    const std::size_t closingQuote = commandLine.find('"', programStart);
    if (closingQuote != std::string_view::npos && closingQuote + 1 < commandLine.size()) {
      parts.program = std::string(commandLine.substr(programStart, closingQuote - programStart));
      parts.arguments = std::string(commandLine.substr(closingQuote + 1));
      parts.quoted = true;
      return parts;
    }
  }
  parts.program = std::string(commandLine);
  return parts;
}

}  // namespace tessarin::settings
