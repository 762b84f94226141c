#include "platform/scripted_host.h"

namespace tessarin::platform {
namespace {

template <typename T>
std::optional<T> TakeFront(std::deque<std::optional<T>>& queue) {
  if (queue.empty()) return std::nullopt;
  std::optional<T> front = std::move(queue.front());
  queue.pop_front();
  return front;
}

}  // namespace

MessageAnswer ScriptedHost::ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons,
                                        MessageAnswer defaultAnswer) {
  messages.push_back({std::string(text), icon, buttons, defaultAnswer});
  if (answers.empty()) return defaultAnswer;
  MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedHost::ChooseFileToOpen(const FileChooserRequest& request) {
  fileRequests.push_back(request);
  return TakeFront(chosenFiles);
}

std::optional<std::string> ScriptedHost::ChooseFileToSave(const FileChooserRequest& request) {
  fileRequests.push_back(request);
  return TakeFront(chosenFiles);
}

std::optional<std::string> ScriptedHost::ChooseFolder(std::string_view, std::string_view) {
  return TakeFront(chosenFolders);
}

std::optional<Rgb> ScriptedHost::ChooseColor(Rgb) { return TakeFront(chosenColors); }

}  // namespace tessarin::platform
