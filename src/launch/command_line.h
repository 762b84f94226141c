#pragma once
// The simulator's command line for the working copy of a parameter set: the
// program followed by the pieces tasks, check, writeLog, the additional
// arguments, the system variables, dir, alt, in, log and out.

#include <cstddef>
#include <string>
#include <string_view>

#include "launch/launch_context.h"
#include "settings/viewparm.h"

namespace tessarin::launch {

inline constexpr std::size_t kMaxCommandLineLength = 1813;

struct CommandLine {
  std::string text;      // empty when there is no simulator program, or when too long
  bool tooLong = false;  // the line would exceed kMaxCommandLineLength
};

// Builds the command line. Blank InputFileFolder, VarnholtFolder and
// cmdFolder of `workingCopy` are set to the start-up directory first.
// A line longer than kMaxCommandLineLength is refused rather than cut: a
// truncated line would run the simulator with a wrong file name or option.
// The result then has an empty text and `tooLong` set.
CommandLine BuildCommandLine(settings::VIEWPARM& workingCopy, const LaunchContext& context);

// The piece as the console's shell takes it literally, whatever it holds:
// unchanged when no character in it means anything to the shell, in double
// quotes when only blanks, tabs or characters without meaning inside double
// quotes need protection, else in single quotes. A file name can thus
// never make the shell run a command or expand a variable.
std::string QuoteWhenNeeded(std::string_view piece);

}  // namespace tessarin::launch
