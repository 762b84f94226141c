#pragma once
// Keywords, keys, suffixes and process names are compared without regard to case.

#include <string>
#include <string_view>

namespace tessarin::platform {

[[nodiscard]] bool EqualsIgnoringCase(std::string_view a, std::string_view b);
[[nodiscard]] bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
std::string ToUpper(std::string_view text);

}  // namespace tessarin::platform
