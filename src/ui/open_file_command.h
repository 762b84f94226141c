#pragma once
// The "Open file" buttons: open the file named in the field beside them.

#include <string_view>

#include "platform/host.h"
#include "ui/shell_services.h"

namespace tessarin::ui {

inline constexpr std::size_t kMaxShownPathLength = 999;

// The shown text (trimmed, at most 999 characters) made absolute against the
// start-up directory; a failure is reported with an error icon.
void OpenShownFile(std::string_view shownPath, std::string_view startupDirectory, ShellServices& shell,
                   platform::Host& host);

}  // namespace tessarin::ui
