#include "tracks/line_numbers.h"

#include <charconv>

namespace tessarin::tracks {
namespace {

// from_chars takes a minus sign but no plus sign.
std::string_view DropPlusSign(std::string_view text) {
  if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
  return text;
}

}  // namespace

void SkipBlanks(std::string_view& text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  text.remove_prefix(i);
}

bool OnlyBlanks(std::string_view text) {
  SkipBlanks(text);
  return text.empty();
}

bool TakeInteger(std::string_view& text, std::int64_t& value) {
  SkipBlanks(text);
  std::string_view digits = DropPlusSign(text);
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc()) return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return true;
}

bool TakeReal(std::string_view& text, double& value) {
  SkipBlanks(text);
  std::string_view digits = DropPlusSign(text);
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc()) return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return true;
}

}  // namespace tessarin::tracks
