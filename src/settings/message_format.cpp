#include "settings/message_format.h"

namespace tessarin::settings {

std::string FillMessage(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string result;
  const std::string_view* next = values.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const bool isPlace = pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == 's' || pattern[i + 1] == 'd');
    if (isPlace && next != values.end()) {
      result += *next++;
      ++i;
    } else {
      result += pattern[i];
    }
  }
  return result;
}

}  // namespace tessarin::settings
