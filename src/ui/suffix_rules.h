#pragma once
// File-name suffixes (output, log, RT): at most 50 characters, cut at the
// first blank or tab, and no "%" other than a single "%d".

#include <optional>
#include <string>
#include <string_view>

namespace tessarin::ui {

// The suffix to store for `text`, or nothing when it must be refused.
std::optional<std::string> NormalizeSuffix(std::string_view text);

}  // namespace tessarin::ui
