#pragma once
// Whether the simulator that a command line starts can be found, looked for
// as the console's shell will: a name with a slash against the console
// directory, a bare name first in the console directory and then in PATH.
// Without this check a missing simulator only shows as a terminal saying
// "not found".

#include <string>
#include <string_view>

#include "platform/process.h"

namespace tessarin::launch {

struct SimulatorLookup {
  bool found = false;
  std::string program;        // the command line's first word
  std::string placesLooked;   // for the message: the paths tried, and PATH
};

SimulatorLookup LookUpSimulator(platform::Processes& processes, std::string_view commandLine,
                                const std::string& consoleDirectory);

// The message that names what was looked for and where to set it.
std::string SimulatorNotFoundMessage(const SimulatorLookup& lookup);

}  // namespace tessarin::launch
