#pragma once
// A host for tests: records every message box with its icon, buttons and
// default, and answers from queues filled by the test.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"

namespace tessarin::platform {

struct RecordedMessage {
  std::string text;
  MessageIcon icon;
  MessageButtons buttons;
  MessageAnswer defaultAnswer;
};

class ScriptedHost final : public Host {
 public:
  MessageAnswer ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                            MessageAnswer defaultAnswer) override;
  std::optional<std::string> ChooseFileToOpen(const FileChooserRequest& request) override;
  std::optional<std::string> ChooseFileToSave(const FileChooserRequest& request) override;
  std::optional<std::string> ChooseFolder(std::string_view title, std::string_view initialFolder) override;
  std::optional<Rgb> ChooseColor(Rgb initial) override;
  Rgb ButtonFaceColor() const override { return buttonFace; }

  // Answers taken in order; an empty queue answers with the default button,
  // cancels a chooser.
  std::deque<MessageAnswer> answers;
  std::deque<std::optional<std::string>> chosenFiles;  // open and save choosers
  std::deque<std::optional<std::string>> chosenFolders;
  std::deque<std::optional<Rgb>> chosenColors;
  Rgb buttonFace{240, 240, 240};

  std::vector<RecordedMessage> messages;
  std::vector<FileChooserRequest> fileRequests;
};

}  // namespace tessarin::platform
