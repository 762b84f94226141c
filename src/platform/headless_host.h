#pragma once
// The host of the command-line program: messages go to a stream (standard
// error by default), questions get a fixed answer, choosers are cancelled.

#include <iosfwd>
#include <optional>

#include "platform/host.h"

namespace tessarin::platform {

class HeadlessHost final : public Host {
 public:
  explicit HeadlessHost(std::ostream& messages);

  // Without an answer set, every question takes its default button, which is
  // the safe choice for destructive questions.
  void SetAnswerToQuestions(std::optional<MessageAnswer> answer) { answer_ = answer; }

  MessageAnswer ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                            MessageAnswer defaultAnswer) override;
  std::optional<std::string> ChooseFileToOpen(const FileChooserRequest&) override { return std::nullopt; }
  std::optional<std::string> ChooseFileToSave(const FileChooserRequest&) override { return std::nullopt; }
  std::optional<std::string> ChooseFolder(std::string_view, std::string_view) override { return std::nullopt; }
  std::optional<Rgb> ChooseColor(Rgb) override { return std::nullopt; }
  Rgb ButtonFaceColor() const override { return kHeadlessButtonFace; }

  static constexpr Rgb kHeadlessButtonFace{240, 240, 240};

 private:
  std::ostream& messages_;
  std::optional<MessageAnswer> answer_;
};

// Whether `answer` is one of the buttons of `buttons`.
[[nodiscard]] bool IsOffered(MessageButtons buttons, MessageAnswer answer);

}  // namespace tessarin::platform
