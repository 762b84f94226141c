#pragma once
// Fills the "%s" and "%d" places of a message text in order. The values are
// inserted as they are, so a path with "%" in it cannot disturb the text.

#include <initializer_list>
#include <string>
#include <string_view>

namespace tessarin::settings {

std::string FillMessage(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace tessarin::settings
