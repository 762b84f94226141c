#include "launch/program_lookup.h"

#include <cstdlib>
#include <vector>

#include "launch/process_messages.h"
#include "platform/paths.h"
#include "platform/process_command_line.h"
#include "settings/message_format.h"

namespace tessarin::launch {
namespace {

bool IsBareName(const std::string& program) { return program.find('/') == std::string::npos; }

std::string PathAgainst(const std::string& program, const std::string& directory) {
  return program.front() == '/' ? program : platform::WithTrailingSeparator(directory) + program;
}

// The folders themselves: a program started from a desktop menu may see
// another PATH than the user's shell.
std::string PathFolders() {
  const char* path = std::getenv("PATH");
  return settings::FillMessage(process_messages::kPathFolders, {path != nullptr ? path : ""});
}

}  // namespace

ProgramLookup LookUpSimulator(platform::Processes& processes, std::string_view commandLine,
                              const std::string& consoleDirectory) {
  ProgramLookup lookup;
  std::vector<std::string> words = platform::SplitShellWords(commandLine);
  if (words.empty()) {
    lookup.found = true;  // nothing to start but the shell
    return lookup;
  }
  lookup.program = words.front();
  std::string path = PathAgainst(lookup.program, consoleDirectory);
  lookup.placesLooked = path;
  if (processes.FindProgram(path, consoleDirectory)) {
    lookup.found = true;
    return lookup;
  }
  if (!IsBareName(lookup.program)) return lookup;
  lookup.placesLooked += std::string(process_messages::kLookedInPath);
  lookup.found = processes.FindProgram(lookup.program, consoleDirectory).has_value();
  return lookup;
}

ProgramLookup LookUpMged(platform::Processes& processes, const std::string& program, const std::string& directory) {
  ProgramLookup lookup;
  const platform::PathParts parts = platform::SplitPath(program);
  lookup.program = parts.name + parts.extension;
  lookup.placesLooked = IsBareName(program) ? PathFolders() : PathAgainst(program, directory);
  lookup.found = processes.FindProgram(program, directory).has_value();
  return lookup;
}

std::string SimulatorNotFoundMessage(const ProgramLookup& lookup) {
  return settings::FillMessage(process_messages::kSimulatorNotFound, {lookup.program, lookup.placesLooked});
}

std::string MgedNotFoundMessage(const ProgramLookup& lookup) {
  return settings::FillMessage(process_messages::kMgedNotFound, {lookup.program, lookup.placesLooked});
}

}  // namespace tessarin::launch
