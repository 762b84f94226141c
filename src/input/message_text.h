#pragma once
// printf-style filling of the console texts, always in the C locale so that
// numbers look the same whatever the user's settings are.

#include <string>

namespace tessarin::input {

std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tessarin::input
