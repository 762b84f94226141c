#include "platform/headless_host.h"

#include <ostream>

namespace tessarin::platform {

bool IsOffered(MessageButtons buttons, MessageAnswer answer) {
  switch (buttons) {
    case MessageButtons::Ok: return answer == MessageAnswer::Ok;
    case MessageButtons::OkCancel: return answer == MessageAnswer::Ok || answer == MessageAnswer::Cancel;
    case MessageButtons::YesNo: return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
    case MessageButtons::YesNoCancel:
      return answer == MessageAnswer::Yes || answer == MessageAnswer::No || answer == MessageAnswer::Cancel;
    case MessageButtons::OverwriteReloadSaveAs:
      return answer == MessageAnswer::Overwrite || answer == MessageAnswer::Reload ||
             answer == MessageAnswer::SaveAs || answer == MessageAnswer::Cancel;
  }
  return false;
}

HeadlessHost::HeadlessHost(std::ostream& messages) : messages_(messages) {}

MessageAnswer HeadlessHost::ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                                        MessageAnswer defaultAnswer) {
  const char* label = "";
  switch (icon) {
    case MessageIcon::Error: label = "error: "; break;
    case MessageIcon::Warning: label = "warning: "; break;
    case MessageIcon::Information: label = ""; break;
    case MessageIcon::Question: label = "question: "; break;
  }
  // Texts that name their own kind ("Warning: ...", "Error: ...") need no label.
  const bool labelled = text.rfind("Warning", 0) == 0 || text.rfind("Error", 0) == 0;
  if (!labelled) messages_ << label;
  messages_ << text;
  if (text.empty() || text.back() != '\n') messages_ << '\n';
  if (answer_ && IsOffered(buttons, *answer_)) return *answer_;
  return defaultAnswer;
}

}  // namespace tessarin::platform
