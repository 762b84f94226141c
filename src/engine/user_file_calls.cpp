#include <sys/wait.h>

#include <cstdlib>

#include "engine/machine.h"

// The file functions of the user programs and System.

namespace tessarin::engine {

double Machine::RunFileFunction(int builtin, double argument) {
  switch (builtin) {
    case builtin::kFcloseW: return files_.CloseOutput();
    case builtin::kFcloseR: return files_.CloseInput();
    default: return files_.SkipLines(argument);
  }
}

double Machine::RunFileText(int builtin, const std::string& text, bool& ok) {
  ok = true;
  switch (builtin) {
    case builtin::kFopenW: return files_.OpenOutput(text);
    case builtin::kFopenR: return files_.OpenInput(text);
    default: break;
  }
  // System: the reader's caller decides once per reading, before the first
  // command runs.
  if (commandDecision_ == CommandDecision::kUndecided)
    commandDecision_ = output_->AllowCommands(text) ? CommandDecision::kAllowed : CommandDecision::kRefused;
  if (commandDecision_ == CommandDecision::kRefused) {
    ok = false;
    return 0.0;
  }
  files_.FlushOutput();
  output_->SetKeyPolling(false);
  int status = std::system(text.c_str());
  output_->SetKeyPolling(true);
  if (status == -1) return -1.0;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1.0;
}

}  // namespace tessarin::engine
