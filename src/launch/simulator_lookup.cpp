#include "launch/simulator_lookup.h"

#include <vector>

#include "launch/process_messages.h"
#include "platform/paths.h"
#include "platform/process_command_line.h"
#include "settings/message_format.h"

namespace tessarin::launch {

SimulatorLookup LookUpSimulator(platform::Processes& processes, std::string_view commandLine,
                                const std::string& consoleDirectory) {
  SimulatorLookup lookup;
  std::vector<std::string> words = platform::SplitShellWords(commandLine);
  if (words.empty()) {
    lookup.found = true;  // nothing to start but the shell
    return lookup;
  }
  lookup.program = words.front();
  const bool bareName = lookup.program.find('/') == std::string::npos;
  std::string path = lookup.program.front() == '/'
                         ? lookup.program
                         : platform::WithTrailingSeparator(consoleDirectory) + lookup.program;
  lookup.placesLooked = path;
  if (processes.FindProgram(path, consoleDirectory)) {
    lookup.found = true;
    return lookup;
  }
  if (!bareName) return lookup;
  lookup.placesLooked += std::string(process_messages::kLookedInPath);
  lookup.found = processes.FindProgram(lookup.program, consoleDirectory).has_value();
  return lookup;
}

std::string SimulatorNotFoundMessage(const SimulatorLookup& lookup) {
  return settings::FillMessage(process_messages::kSimulatorNotFound, {lookup.program, lookup.placesLooked});
}

}  // namespace tessarin::launch
