#pragma once
// File-name suffixes such as "_run%d", where "%d" stands for the set number.

#include <string>
#include <string_view>

namespace tessarin::launch {

// The suffix with its first "%d" replaced by `setNumber`; every other
// character, a stray '%' included, is copied unchanged. The editors refuse
// suffixes with other '%' uses, but a hand-edited file must not be able to
// turn the suffix into a format string.
std::string ExpandSuffix(std::string_view suffix, int setNumber);

}  // namespace tessarin::launch
