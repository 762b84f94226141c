#include "engine/machine.h"
#include "engine/shell_command.h"

// The file functions of the user programs and System.

namespace tessarin::engine {

double Machine::RunFileFunction(int builtin, double argument) {
  switch (builtin) {
    case builtin::kFcloseW: return files_.CloseOutput();
    case builtin::kFcloseR: return files_.CloseInput();
    default: return files_.SkipLines(argument, interrupt_);
  }
}

double Machine::OpenUserFile(int builtin, const std::string& path, std::string& failure) {
  bool write = builtin == builtin::kFopenW;
  bool anywhere = fileDecision_ == Decision::kAllowed;
  UserFileOpening opening = write ? files_.OpenOutput(path, anywhere) : files_.OpenInput(path, anywhere);
  if (!opening.outside) return opening.result;
  // The reader's caller decides once per reading, with the first path that
  // leads outside the folder.
  if (fileDecision_ == Decision::kUndecided)
    fileDecision_ = output_->AllowFilesOutside(opening.where) ? Decision::kAllowed : Decision::kRefused;
  if (fileDecision_ == Decision::kAllowed)
    return (write ? files_.OpenOutput(path, true) : files_.OpenInput(path, true)).result;
  failure = Format(write ? Msg::kWriteOutsideFolder : Msg::kReadOutsideFolder, opening.where, files_.Folder().Folder());
  return 0.0;
}

double Machine::RunFileText(int builtin, const std::string& text, std::string& failure) {
  if (builtin == builtin::kFopenW || builtin == builtin::kFopenR) return OpenUserFile(builtin, text, failure);
  // System: the reader's caller decides once per reading, before the first
  // command runs.
  if (commandDecision_ == Decision::kUndecided)
    commandDecision_ = output_->AllowCommands(text) ? Decision::kAllowed : Decision::kRefused;
  if (commandDecision_ == Decision::kRefused) {
    failure = std::string(MessageText(Msg::kCommandsNotAllowed));
    return 0.0;
  }
  files_.FlushOutput();
  output_->SetKeyPolling(false);
  int status = RunShellCommand(text, interrupt_);
  output_->SetKeyPolling(true);
  return status;
}

}  // namespace tessarin::engine
