#pragma once
// The questions a reading of an input file asks the user, each at most once
// per reading: whether its user programs may run commands of the system
// shell (showing the first command), and whether they may open files that
// the folder rules keep from them (showing the first such file and why).

#include <string>
#include <string_view>

#include "engine/command_permission.h"
#include "engine/file_permission.h"
#include "platform/host.h"
#include "ui/messages.h"

namespace tessarin::ui {

// Yes to the question made of `start`, `subject` and `end`; No is the default.
[[nodiscard]] inline bool AllowedByUser(platform::Host& host, std::string_view start, std::string_view subject,
                          std::string_view end) {
  std::string text(start);
  text += subject;
  text += end;
  return host.ShowMessage(text, platform::MessageIcon::Question, platform::MessageButtons::YesNo,
                          platform::MessageAnswer::No) == platform::MessageAnswer::Yes;
}

class CommandQuestion final : public engine::CommandPermission {
 public:
  explicit CommandQuestion(platform::Host& host) : host_(host) {}
  [[nodiscard]] bool AllowCommands(std::string_view firstCommand) override {
    return AllowedByUser(host_, messages::kRunCommandQuestionStart, firstCommand, messages::kRunCommandQuestionEnd);
  }

 private:
  platform::Host& host_;
};

class FileQuestion final : public engine::FilePermission {
 public:
  explicit FileQuestion(platform::Host& host) : host_(host) {}
  [[nodiscard]] bool AllowFiles(std::string_view firstPath, std::string_view reason) override {
    std::string subject(firstPath);
    subject += messages::kFileQuestionReason;
    subject += reason;
    return AllowedByUser(host_, messages::kFileQuestionStart, subject, messages::kFileQuestionEnd);
  }

 private:
  platform::Host& host_;
};

}  // namespace tessarin::ui
