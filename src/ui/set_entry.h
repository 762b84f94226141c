#pragma once
// The text of a parameter set in the set lists: " (%d)  %s".

#include <string>
#include <string_view>

namespace tessarin::ui {

std::string SetListEntry(int index, std::string_view name);  // index counts from 0

// `pattern` with its one "%d" replaced by `number`.
std::string WithNumber(std::string_view pattern, int number);

}  // namespace tessarin::ui
