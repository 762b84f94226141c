#pragma once
// Runs an RT script through plain tclsh with stand-ins for the MGED
// commands (stub_mged.tcl beside this file): a script that is not valid Tcl,
// or that calls a command with the wrong arguments, fails.

#include <string>

namespace tessarin::render::script_check {

struct StubRun {
  bool passed = false;
  std::string transcript;
};

bool IsTclAvailable();
StubRun RunThroughTclStub(const std::string& scriptPath);

}  // namespace tessarin::render::script_check
