#pragma once
// Running a command of the system shell for System, so that a stop request
// (Esc and Q, the time limit) ends it rather than waiting for it.

#include <atomic>
#include <string>

namespace tessarin::engine {

// The command's exit code; -1 when it could not be run, died of a signal or
// was ended because `stop` was set.
int RunShellCommand(const std::string& command, const std::atomic<bool>& stop);

}  // namespace tessarin::engine
