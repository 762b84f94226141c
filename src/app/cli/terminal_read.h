#pragma once
// Reading a set's input file from the command line: the reader's messages go
// to a stream, and Esc then Q on the terminal interrupts a user program.

#include <functional>
#include <iosfwd>
#include <string>

#include "input/geometry_model.h"
#include "input/input_reader.h"
#include "launch/launch_context.h"
#include "settings/viewparm.h"

namespace tessarin::cli {

// `timeLimit` in seconds, 0 for none. Without `allowSystem` a user program's
// shell commands are refused, since nobody is asked on the command line.
input::InputReadResult ReadInputOnTerminal(const settings::VIEWPARM& set, const launch::LaunchContext& context,
                                           std::ostream& messages, double timeLimit, bool allowSystem,
                                           input::GeometryModel& model,
                                           std::function<void(const std::string&)> hint = {});

}  // namespace tessarin::cli
