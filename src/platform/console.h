#pragma once
// The program's own console: where the input reader and user programs write
// their messages, and where the watchdog looks for Esc and Q key presses.

#include <optional>
#include <string>
#include <string_view>

namespace tessarin::platform {

inline constexpr int kKeyEscape = 27;

class Console {
 public:
  virtual ~Console() = default;

  // Creates the console window when there is none yet and makes it visible.
  virtual void Open() = 0;
  virtual void Write(std::string_view text) = 0;
  // The next key pressed since the last call, without waiting; letters come
  // as upper-case ASCII, Esc as kKeyEscape.
  virtual std::optional<int> PollKey() = 0;
  // Whether anything was written since the console was opened or cleared.
  [[nodiscard]] virtual bool HasText() const = 0;
  // While disabled, closing the console is refused (a read is running).
  virtual void SetCloseEnabled(bool enabled) = 0;
  [[nodiscard]] virtual bool IsOpen() const = 0;
  virtual void Hide() = 0;
  virtual void Close() = 0;
};

}  // namespace tessarin::platform
