#pragma once
// A console for tests: keeps everything written, and hands out key presses
// queued by the test (optionally only after a number of polls, to let a
// program run for a while first).

#include <deque>
#include <string>

#include "platform/console.h"

namespace tessarin::platform {

class ScriptedConsole final : public Console {
 public:
  void Open() override { open = true; ++openCount; }
  void Write(std::string_view text) override { this->text += text; }
  std::optional<int> PollKey() override;
  [[nodiscard]] bool HasText() const override { return !text.empty(); }
  void SetCloseEnabled(bool enabled) override { closeEnabled = enabled; }
  [[nodiscard]] bool IsOpen() const override { return open; }
  void Hide() override { hidden = true; }
  void Close() override { open = false; text.clear(); }

  struct PendingKey {
    int key;
    int afterPolls;  // the key arrives at this poll count or later
  };
  std::deque<PendingKey> keys;
  int pollCount = 0;

  std::string text;
  bool open = false;
  bool hidden = false;
  bool closeEnabled = true;
  int openCount = 0;
};

}  // namespace tessarin::platform
