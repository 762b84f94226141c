#pragma once
// Whether a program that a start button is about to run can be found, and
// the message that names it and where it was looked for. Without the check
// a missing simulator only shows as a terminal saying "not found", and a
// missing MGED as a bare "An error occurred".

#include <string>
#include <string_view>

#include "platform/process.h"

namespace tessarin::launch {

struct ProgramLookup {
  bool found = false;
  std::string program;       // as the command line names it (MGED: its file name)
  std::string placesLooked;  // for the message: the paths tried, and PATH
};

// The simulator, looked for as the console's shell will: a name with a slash
// against the console directory, a bare name first in the console directory
// and then in PATH.
ProgramLookup LookUpSimulator(platform::Processes& processes, std::string_view commandLine,
                              const std::string& consoleDirectory);

// MGED, looked for as it is started: a name with a slash against the
// directory it starts in, a bare name in PATH.
ProgramLookup LookUpMged(platform::Processes& processes, const std::string& program, const std::string& directory);

// The messages that name what was looked for and where to set it.
std::string SimulatorNotFoundMessage(const ProgramLookup& lookup);
std::string MgedNotFoundMessage(const ProgramLookup& lookup);

}  // namespace tessarin::launch
