#include "ui/field_numbers.h"

namespace tessarin::ui {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  text = TrimLeadingBlanks(text);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string_view TrimLeadingBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

bool IsBlank(std::string_view text) { return TrimLeadingBlanks(text).empty(); }

std::optional<double> ParseReal(std::string_view text) { return settings::ParseReal(TrimBlanks(text)); }

std::optional<long long> ParseInteger(std::string_view text) { return settings::ParseInteger(TrimBlanks(text)); }

}  // namespace tessarin::ui
