#pragma once
// Key presses from the terminal without waiting, for the watchdog of user
// programs in the command-line program. While an object exists the terminal
// neither echoes nor waits for a line end; the previous mode comes back when
// it is destroyed, when the program exits, or on Ctrl-C.

#include <optional>

namespace tessarin::platform {

class TerminalKeys {
 public:
  TerminalKeys();  // does nothing when standard input is no terminal
  ~TerminalKeys();
  TerminalKeys(const TerminalKeys&) = delete;
  TerminalKeys& operator=(const TerminalKeys&) = delete;

  [[nodiscard]] bool Active() const { return active_; }
  // The next key pressed, letters in upper case, Esc as kKeyEscape.
  std::optional<int> Poll();

 private:
  bool active_ = false;
};

}  // namespace tessarin::platform
