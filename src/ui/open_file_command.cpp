#include "ui/open_file_command.h"

#include <string>

#include "platform/paths.h"
#include "ui/messages.h"

namespace tessarin::ui {

void OpenShownFile(std::string_view shownPath, std::string_view startupDirectory, ShellServices& shell,
                   platform::Host& host) {
  std::string_view text = shownPath.substr(0, kMaxShownPathLength);
  std::size_t first = text.find_first_not_of(" \t\r\n");
  std::size_t last = text.find_last_not_of(" \t\r\n");
  text = first == std::string_view::npos ? std::string_view() : text.substr(first, last - first + 1);
  std::string path = platform::AbsolutePath(text, startupDirectory);
  const OpenOutcome outcome = shell.OpenDocument(path);
  if (outcome == OpenOutcome::Opened) return;
  std::string message(messages::kOpenFileFailureStart);
  message += path;
  message += messages::kOpenFileFailureEnd;
  if (outcome == OpenOutcome::NoViewer) message += messages::kNoProgramForFile;
  host.ShowMessage(message, platform::MessageIcon::Error);
}

}  // namespace tessarin::ui
