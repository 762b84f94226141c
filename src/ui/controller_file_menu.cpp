// The File menu: reading and writing the parameter file, Open, Reload,
// Save as and the question before unsaved changes are lost.

#include <algorithm>
#include <fstream>

#include "platform/paths.h"
#include "platform/regular_file.h"
#include "settings/message_format.h"
#include "settings/parameter_file.h"
#include "ui/controller.h"
#include "ui/messages.h"

namespace tessarin::ui {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

bool CanOpenForReadingAndWriting(const std::string& path) {
  // Not a folder nor a named pipe, whose opening would wait for a writer.
  if (!platform::IsRegularFile(path)) return false;
  std::fstream file(path, std::ios::in | std::ios::out);
  return file.is_open();
}

platform::FileChooserRequest ParameterFileRequest(std::string_view title, std::string initialPath, bool save) {
  return {std::string(title), std::string(messages::kParameterFileExtension),
          std::string(messages::kParameterFileFilter), std::move(initialPath), save};
}

}  // namespace

void Controller::ReadParameterFile() {
  SetTitleFromPath();
  settings::ParameterFileReadResult result = settings::ReadParameterFile(parameterFilePath_, reportOpenFailure_, host_);
  parameterFileOpen_ = result.opened;
  parameterFileReadInPart_ = result.readInPart;
  reportOpenFailure_ = true;  // from now on every unreadable file is reported
  sets_ = std::move(result.list.sets);
  if (sets_.empty()) sets_.push_back(settings::DefaultParameterSet());
  current_ = std::clamp(result.list.current, 0, static_cast<int>(sets_.size()) - 1);
  trackCaches_.clear();
  trackCaches_.resize(sets_.size());
  for (settings::VIEWPARM& set : sets_) set.process = {};
  numberOfTracks_.clear();
  LoadCurrentIntoWorkingCopy();
  SetModified(false);
  StampParameterFile();
  if (result.opened) shell_.AddRecentFile(parameterFilePath_);
}

void Controller::StampParameterFile() {
  parameterFileStamp_ = platform::StampFile(platform::AbsolutePath(parameterFilePath_, environment_.startupDirectory));
}

bool Controller::WriteParameterFile() {
  CommitWorkingCopy();
  settings::ParameterSetList list{sets_, current_};
  if (!settings::WriteParameterFile(parameterFilePath_, list, environment_.startupDirectory, host_)) return false;
  parameterFileOpen_ = true;
  parameterFileReadInPart_ = false;
  SetModified(false);
  StampParameterFile();
  shell_.AddRecentFile(parameterFilePath_);
  return true;
}

void Controller::DiscardAllSets() {
  sets_.clear();
  trackCaches_.clear();
  startButtons_.ForgetAll();
}

bool Controller::SaveChangesFirst() {
  if (!modified_) return true;
  MessageAnswer answer = host_.ShowMessage(messages::kSaveChangesQuestion, MessageIcon::Question,
                                           MessageButtons::YesNoCancel, MessageAnswer::Yes);
  if (answer == MessageAnswer::Cancel) return false;
  if (answer == MessageAnswer::Yes) return Save();
  return true;
}

bool Controller::Save() {
  const platform::FileStamp onDisk =
      platform::StampFile(platform::AbsolutePath(parameterFilePath_, environment_.startupDirectory));
  if (platform::ChangedSince(parameterFileStamp_, onDisk)) {
    switch (host_.ShowMessage(settings::FillMessage(messages::kChangedOnDiskQuestion, {parameterFilePath_}),
                              MessageIcon::Warning, MessageButtons::OverwriteReloadSaveAs, MessageAnswer::SaveAs)) {
      case MessageAnswer::Overwrite: break;
      case MessageAnswer::Reload:
        DiscardAllSets();
        ReadParameterFile();
        return true;
      case MessageAnswer::SaveAs: return SaveAs();
      default: return false;
    }
  }
  if (!parameterFileReadInPart_) return WriteParameterFile();
  MessageAnswer answer =
      host_.ShowMessage(settings::FillMessage(messages::kReadInPartQuestion, {parameterFilePath_}),
                        MessageIcon::Warning, MessageButtons::YesNoCancel, MessageAnswer::Yes);
  if (answer == MessageAnswer::Yes) return SaveAs();
  if (answer == MessageAnswer::No) return WriteParameterFile();
  return false;
}

void Controller::OpenParameterFile() {
  if (!SaveChangesFirst()) return;
  std::optional<std::string> chosen = host_.ChooseFileToOpen(ParameterFileRequest(
      messages::kOpenParameterFileTitle, platform::AbsolutePath(parameterFilePath_, environment_.startupDirectory),
      false));
  if (!chosen || chosen->empty()) return;
  parameterFilePath_ = *chosen;
  DiscardAllSets();
  ReadParameterFile();
}

bool Controller::IsReloadAvailable() const {
  return modified_ && parameterFileOpen_ &&
         CanOpenForReadingAndWriting(platform::AbsolutePath(parameterFilePath_, environment_.startupDirectory));
}

void Controller::ReloadParameterFile() {
  if (!IsReloadAvailable()) return;
  if (host_.ShowMessage(messages::kDiscardChangesQuestion, MessageIcon::Question, MessageButtons::YesNoCancel,
                        MessageAnswer::No) != MessageAnswer::Yes)
    return;
  DiscardAllSets();
  ReadParameterFile();
}

bool Controller::SaveAs() {
  while (true) {
    std::optional<std::string> chosen = host_.ChooseFileToSave(ParameterFileRequest(
        messages::kSaveParameterFileTitle, platform::AbsolutePath(parameterFilePath_, environment_.startupDirectory),
        true));
    if (!chosen) return false;
    if (chosen->empty()) continue;
    std::string oldPath = parameterFilePath_;
    parameterFilePath_ = *chosen;
    SetTitleFromPath();
    if (WriteParameterFile()) return true;
    parameterFilePath_ = oldPath;
    SetTitleFromPath();
    return false;
  }
}

}  // namespace tessarin::ui
