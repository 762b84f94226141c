#pragma once
// Reading a set's input file from the command line: the reader's messages go
// to a stream, and Esc then Q on the terminal interrupts a user program.

#include <functional>
#include <iosfwd>
#include <string>

#include "app/cli/user_program_options.h"
#include "input/geometry_model.h"
#include "input/input_reader.h"
#include "launch/launch_context.h"
#include "settings/viewparm.h"

namespace tessarin::cli {

// Nobody is asked on the command line: without the options a user program's
// shell commands and files outside the input file's folder are refused.
input::InputReadResult ReadInputOnTerminal(const settings::VIEWPARM& set, const launch::LaunchContext& context,
                                           std::ostream& messages, const UserProgramOptions& options,
                                           input::GeometryModel& model,
                                           std::function<void(const std::string&)> hint = {});

}  // namespace tessarin::cli
