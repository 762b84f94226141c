#pragma once
// Asks the user, once per reading of an input file, whether its user
// programs may run commands of the system shell, showing the first command.

#include <string>
#include <string_view>

#include "engine/command_permission.h"
#include "platform/host.h"
#include "ui/messages.h"

namespace tessarin::ui {

class CommandQuestion final : public engine::CommandPermission {
 public:
  explicit CommandQuestion(platform::Host& host) : host_(host) {}
  bool AllowCommands(std::string_view firstCommand) override {
    std::string text(messages::kRunCommandQuestionStart);
    text += firstCommand;
    text += messages::kRunCommandQuestionEnd;
    return host_.ShowMessage(text, platform::MessageIcon::Question, platform::MessageButtons::YesNo,
                             platform::MessageAnswer::No) == platform::MessageAnswer::Yes;
  }

 private:
  platform::Host& host_;
};

}  // namespace tessarin::ui
