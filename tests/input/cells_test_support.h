#pragma once
// Assertions shared by the tests of cells, unions and the source.

#include <string>

namespace tessarin::input::testing {

// The last line of the console; an error that stops a read is printed last.
inline std::string LastLine(const std::string& text) {
  std::size_t start = text.size() > 1 ? text.rfind('\n', text.size() - 2) : std::string::npos;
  return start == std::string::npos ? text : text.substr(start + 1);
}

}  // namespace tessarin::input::testing
