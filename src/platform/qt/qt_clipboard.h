#pragma once
// The application's clipboard through Qt; needs a QGuiApplication.

#include "platform/windows_clipboard.h"

namespace tessarin::platform::qt {

class QtClipboard final : public Clipboard {
 public:
  // Text that is not valid UTF-8 is taken as Latin-1, so every byte still
  // arrives as one character.
  [[nodiscard]] bool SetText(std::string_view text) override;
};

}  // namespace tessarin::platform::qt
