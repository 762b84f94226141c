#include "platform/stream_console.h"

#include <ostream>

namespace tessarin::platform {

StreamConsole::StreamConsole(std::ostream& out, KeySource keys) : out_(out), keys_(std::move(keys)) {}

void StreamConsole::Write(std::string_view text) {
  if (text.empty()) return;
  out_ << text;
  out_.flush();
  hasText_ = true;
}

std::optional<int> StreamConsole::PollKey() {
  if (!keys_) return std::nullopt;
  return keys_();
}

}  // namespace tessarin::platform
