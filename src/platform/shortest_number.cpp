#include "platform/shortest_number.h"

#include <array>
#include <charconv>

namespace tessarin::platform {

void AppendShortest(std::string& text, double value) {
  // 24 characters hold the longest double: "-2.2250738585072014e-308".
  std::array<char, 32> digits;
  const std::to_chars_result written = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  text.append(digits.data(), written.ptr);
}

std::string ShortestText(double value) {
  std::string text;
  AppendShortest(text, value);
  return text;
}

}  // namespace tessarin::platform
