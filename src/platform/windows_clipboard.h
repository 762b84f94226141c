#pragma once
// The desktop clipboard, for placing plain text on it.

#include <string>
#include <string_view>

namespace tessarin::platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // False when the text could not be placed.
  [[nodiscard]] virtual bool SetText(std::string_view text) = 0;
};

// Puts the whole text file on the clipboard. Nothing is placed when the file
// cannot be read completely; plain text ends at a zero byte, so the text
// does too. Returns whether the clipboard was set; failures are silent for
// the user.
bool CopyFileToClipboard(const std::string& path, Clipboard& clipboard);

}  // namespace tessarin::platform
