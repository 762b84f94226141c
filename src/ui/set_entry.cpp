#include "ui/set_entry.h"

#include "settings/message_format.h"

namespace tessarin::ui {

std::string SetListEntry(int index, std::string_view name) {
  std::string entry = " (" + std::to_string(index + 1) + ")  ";
  entry += name;
  return entry;
}

std::string WithNumber(std::string_view pattern, int number) {
  return settings::FillMessage(pattern, {std::to_string(number)});
}

}  // namespace tessarin::ui
