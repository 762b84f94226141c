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

  const settings::VIEWPARM& set() const { return list.sets[static_cast<std::size_t>(index)]; }
  launch::LaunchContext Context() const { return {startupDirectory, index + 1}; }
};

// Parses "FILE [--set N]" (FILE may be "-" for standard input) and reads the
// file. On failure returns nothing with `exitCode` set and a message on
// io.err: kExitUsage for bad arguments or a set number outside the list,
// kExitFailure for a file that cannot be opened or whose header or first set
// is malformed. The sets before a later malformed one are kept, with a
// warning, and returned with `exitCode` kExitFailure: the command does its
// work on them and then fails.
// `acceptsSetOption` false makes "--set" an unknown option.
std::optional<SelectedSet> LoadSelectedSet(const std::vector<std::string>& args, const CommandDescription& command,
                                           bool acceptsSetOption, CommandIo& io, int& exitCode);

// The same for arguments a command has already parsed: the file `path` and
// the text given with "--set", if any.
std::optional<SelectedSet> LoadSelectedSet(const std::string& path, const std::optional<std::string>& setNumberText,
                                           const CommandDescription& command, CommandIo& io, int& exitCode);

}  // namespace tessarin::cli
