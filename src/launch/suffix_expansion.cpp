#include "launch/suffix_expansion.h"

namespace tessarin::launch {

std::string ExpandSuffix(std::string_view suffix, int setNumber) {
  std::size_t marker = suffix.find("%d");
  if (marker == std::string_view::npos) return std::string(suffix);
  std::string result(suffix.substr(0, marker));
  result += std::to_string(setNumber);
  result += suffix.substr(marker + 2);
  return result;
}

}  // namespace tessarin::launch
