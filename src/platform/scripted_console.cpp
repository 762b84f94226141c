#include "platform/scripted_console.h"

namespace tessarin::platform {

std::optional<int> ScriptedConsole::PollKey() {
  ++pollCount;
  if (keys.empty() || keys.front().afterPolls > pollCount) return std::nullopt;
  int key = keys.front().key;
  keys.pop_front();
  return key;
}

}  // namespace tessarin::platform
