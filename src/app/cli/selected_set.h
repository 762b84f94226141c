#pragma once
// Loading the parameter file named on the command line and picking the set a
// command works on: the one of "--set N" (counting from 1), else the file's
// current set.

#include <optional>
#include <string>
#include <vector>

#include "app/cli/command_arguments.h"
#include "launch/launch_context.h"
#include "settings/parameter_file.h"

namespace tessarin::cli {

struct SelectedSet {
  settings::ParameterSetList list;
  int index = 0;                 // 0-based position of the chosen set
  std::string startupDirectory;  // the current directory, ending with '/'
  bool fileReadInPart = false;   // a later set was malformed; the sets before it are here

  const settings::VIEWPARM& set() const { return list.sets[static_cast<std::size_t>(index)]; }
  launch::LaunchContext Context() const { return {startupDirectory, index + 1}; }
  // The exit code of a command whose own work ended with `workCode`: work
  // done on a file read in part is still a failure.
  int ExitCode(int workCode) const { return workCode == kExitSuccess && fileReadInPart ? kExitFailure : workCode; }
};

// Parses "FILE [--set N]" (FILE may be "-" for standard input) and reads the
// file. On failure the command ends after a message on io.err: kExitUsage for
// bad arguments or a set number outside the list, kExitFailure for a file
// that cannot be opened or whose header or first set is malformed. The sets
// before a later malformed one are kept, with a warning, and marked
// `fileReadInPart`: the command does its work on them and then fails.
// `acceptsSetOption` false makes "--set" an unknown option.
CommandStep<SelectedSet> LoadSelectedSet(const std::vector<std::string>& args, const CommandDescription& command,
                                         bool acceptsSetOption, CommandIo& io);

// The same for arguments a command has already parsed: the file `path` and
// the text given with "--set", if any.
CommandStep<SelectedSet> LoadSelectedSet(const std::string& path, const std::optional<std::string>& setNumberText,
                                         const CommandDescription& command, CommandIo& io);

}  // namespace tessarin::cli
