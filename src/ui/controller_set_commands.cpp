// The commands of the parameter-set list: select, new, edit name, delete,
// reset, and the dialogs and choosers that edit the current set.

#include <algorithm>

#include "platform/paths.h"
#include "ui/cmd_line_dialog.h"
#include "ui/controller.h"
#include "ui/edit_name_dialog.h"
#include "ui/messages.h"
#include "ui/new_parm_set_dialog.h"
#include "ui/field_numbers.h"
#include "ui/set_entry.h"

namespace tessarin::ui {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

bool ConfirmDestructive(platform::Host& host, std::string_view question) {
  return host.ShowMessage(question, MessageIcon::Warning, MessageButtons::YesNoCancel, MessageAnswer::No) ==
         MessageAnswer::Yes;
}

}  // namespace

void Controller::SelectParameterSet(int index) {
  if (index < 0 || index >= static_cast<int>(sets_.size()) || index == current_) return;
  std::string shownTrackFile = Text(TextField::TrackFile);
  settings::TrackFilter filter = working_.filter;
  settings::SegmentFilter segments = working_.segments;
  CommitWorkingCopy();
  current_ = index;
  LoadCurrentIntoWorkingCopy();
  if (Text(TextField::TrackFile) != shownTrackFile || !(working_.filter == filter) || !(working_.segments == segments))
    numberOfTracks_.clear();
}

void Controller::NewParameterSet() {
  CommitWorkingCopy();
  CNewParmSetDlg dialog(sets_, current_);
  if (!dialogs_.Run(dialog)) return;
  MarkModified();
  std::string name = dialog.ChosenName();
  current_ = std::clamp(dialog.insertPosition, 0, static_cast<int>(sets_.size()));
  working_.process = {};  // the new set has no running process
  InsertWorkingCopy();
  working_.name = name;
  CommitWorkingCopy();
  RefreshDerivedNames();
}

void Controller::EditName() {
  CEditNameDlg dialog(working_, current_ + 1);
  if (dialogs_.Run(dialog)) MarkModified();
}

void Controller::DeleteParameterSet() {
  if (sets_.size() < 2) return;
  if (!ConfirmDestructive(host_, WithNumber(messages::kDeleteQuestion, current_ + 1))) return;
  auto at = static_cast<std::ptrdiff_t>(current_);
  sets_.erase(sets_.begin() + at);
  trackCaches_.erase(trackCaches_.begin() + at);
  startButtons_.OnSetDeleted(current_);
  current_ = std::min(current_, static_cast<int>(sets_.size()) - 1);
  LoadCurrentIntoWorkingCopy();
  MarkModified();
}

bool Controller::ResetAll() {
  if (!ConfirmDestructive(host_, messages::kResetAllQuestion)) return false;
  ResetToDefaults(true);
  CommitWorkingCopy();
  numberOfTracks_.clear();
  MarkModified();
  RefreshDerivedNames();
  return true;
}

void Controller::EditCommandLine() {
  CCmdLineDlg dialog(working_, Context(), host_, shell_);
  if (!dialogs_.Run(dialog)) return;
  numberOfTracks_.clear();
  MarkModified();
  RefreshDerivedNames();
}

void Controller::SelectTrackFile() {
  if (!IsEditable(TextField::TrackFile)) return;
  std::string current = platform::AbsolutePath(Text(TextField::TrackFile), environment_.startupDirectory);
  std::optional<std::string> chosen = host_.ChooseFileToOpen(
      {std::string(messages::kSelectTrackFileTitle), {}, std::string(messages::kTextFileFilter), current, false});
  if (!chosen) return;
  bool changed = CommitTextField(working_, TextField::TrackFile, *chosen, Context());
  if (changed) numberOfTracks_.clear();
  Changed(changed);
}

void Controller::SelectScriptFolder() {
  std::string current = platform::AbsolutePath(working_.ScriptFolder, environment_.startupDirectory);
  std::optional<std::string> chosen = host_.ChooseFolder(messages::kScriptFolderTitle, current);
  if (!chosen) return;
  std::string folder = platform::WithTrailingSeparator(*chosen);
  bool changed = folder != working_.ScriptFolder;
  working_.ScriptFolder = folder;
  Changed(changed);
}

void Controller::LocateMged() {
  const std::string& old = working_.MGEDcmdLine;
  // The program ends at the closing quote when it is quoted, else at the
  // first blank; whatever follows are its arguments and stays.
  std::size_t programEnd;
  if (!old.empty() && old.front() == '"') {
    std::size_t quote = old.find('"', 1);
    programEnd = quote == std::string::npos ? old.size() : quote + 1;
  } else {
    programEnd = std::min(old.find_first_of(" \t"), old.size());
  }
  std::string arguments = old.substr(programEnd);
  std::string program = old.substr(0, programEnd);
  std::erase(program, '"');
  std::optional<std::string> chosen = host_.ChooseFileToOpen(
      {std::string(messages::kLocateMgedTitle), {}, std::string(messages::kProgramFilter),
       platform::AbsolutePath(program, environment_.startupDirectory), false});
  if (!chosen || *chosen == program) return;
  std::string commandLine = IsBlank(arguments) ? *chosen : "\"" + *chosen + "\"" + arguments;
  Changed(CommitTextField(working_, TextField::MgedCommandLine, commandLine, Context()));
}

}  // namespace tessarin::ui
