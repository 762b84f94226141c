#pragma once
// File-name suffixes (`suffix`, `logSuffix`, `MGEDsuffix`) are used as a
// printf format with the set number, so only one "%d" may appear in them.

#include <string_view>

namespace tessarin::settings {

// No blanks, no "%" except at most one "%d", at most 50 characters.
[[nodiscard]] bool IsValidSuffix(std::string_view suffix);

}  // namespace tessarin::settings
