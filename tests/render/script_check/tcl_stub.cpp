#include "render/script_check/tcl_stub.h"

#include "render/script_check/command_run.h"

namespace tessarin::render::script_check {

bool IsTclAvailable() { return RunCommand("command -v tclsh", 10).exitStatus == 0; }

StubRun RunThroughTclStub(const std::string& scriptPath) {
  CommandOutcome run = RunCommand("tclsh " + ShellQuoted(TESSARIN_SCRIPT_CHECK_DIR "/stub_mged.tcl") + " " +
                                      ShellQuoted(scriptPath),
                                  120);
  StubRun result;
  result.transcript = run.output;
  result.passed = run.exitStatus == 0 && run.output.find("STUB RUN OK") != std::string::npos;
  return result;
}

}  // namespace tessarin::render::script_check
