#include "engine/machine.h"
#include "engine/shell_command.h"

// The file functions of the user programs and System.

namespace tessarin::engine {
namespace {

Msg NeedReason(FileNeed need, bool write) {
  switch (need) {
    case FileNeed::kProtectedFolder: return Msg::kReasonProtectedFolder;
    case FileNeed::kDotName: return Msg::kReasonDotName;
    case FileNeed::kNotProgramsOwn: return Msg::kReasonNotProgramsOwn;
    case FileNeed::kExecutable: return Msg::kReasonExecutable;
    case FileNeed::kHardLinks: return Msg::kReasonHardLinks;
    default: return write ? Msg::kReasonOutsideFolder : Msg::kReasonReadOutsideFolder;
  }
}

std::string RefusalText(const UserFileOpening& opening, bool write, const std::string& folder) {
  if (opening.need == FileNeed::kOutsideFolder)
    return Format(write ? Msg::kWriteOutsideFolder : Msg::kReadOutsideFolder, opening.where, folder);
  return Format(Msg::kWriteNeedsPermission, opening.where, std::string(MessageText(NeedReason(opening.need, write))));
}

}  // namespace

double Machine::RunFileFunction(int builtin, double argument) {
  switch (builtin) {
    case builtin::kFcloseW: return files_.CloseOutput();
    case builtin::kFcloseR: return files_.CloseInput();
    default: return files_.SkipLines(argument, interrupt_);
  }
}

double Machine::OpenUserFile(int builtin, const std::string& path, std::string& failure) {
  bool write = builtin == builtin::kFopenW;
  auto open = [&](bool anywhere) { return write ? files_.OpenOutput(path, anywhere) : files_.OpenInput(path, anywhere); };
  // The folder's own rules first even after a yes, so that the files a
  // program creates there are still recorded as the programs' own.
  UserFileOpening opening = open(false);
  if (opening.need != FileNeed::kNothing) {
    // The reader's caller decides once per reading, with the first path that
    // needs the yes.
    if (fileDecision_ == Decision::kUndecided)
      fileDecision_ = output_->AllowFiles(opening.where, MessageText(NeedReason(opening.need, write)))
                          ? Decision::kAllowed
                          : Decision::kRefused;
    if (fileDecision_ == Decision::kRefused) {
      failure = RefusalText(opening, write, files_.Folder().Folder());
      return 0.0;
    }
    opening = open(true);
  }
  if (opening.tooManyFiles) failure = Format(Msg::kTooManyFilesCreated, opening.where, files_.CreatedFileLimit());
  return opening.result;
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
