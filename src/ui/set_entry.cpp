#include "ui/set_entry.h"

namespace tessarin::ui {

std::string SetListEntry(int index, std::string_view name) {
  std::string entry = " (" + std::to_string(index + 1) + ")  ";
  entry += name;
  return entry;
}

std::string WithNumber(std::string_view pattern, int number) {
  std::string text(pattern);
  std::size_t at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(number));
  return text;
}

}  // namespace tessarin::ui
