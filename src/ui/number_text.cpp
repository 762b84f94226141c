#include "ui/number_text.h"

#include <charconv>
#include <cmath>

namespace tessarin::ui {
namespace {

std::string FormatGeneral(double value, int precision) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
  return std::string(buffer, result.ptr);
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// from_chars refuses a leading '+', which people do type.
std::string_view NumberBody(std::string_view text) {
  text = TrimTrailingBlanks(TrimLeadingBlanks(text));
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  return text;
}

}  // namespace

std::string FormatG(double value) { return FormatGeneral(value, 6); }
std::string FormatG16(double value) { return FormatGeneral(value, 16); }
std::string FormatInt(int value) { return std::to_string(value); }

std::string_view TrimLeadingBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

bool IsBlank(std::string_view text) { return TrimLeadingBlanks(text).empty(); }

std::optional<double> ParseReal(std::string_view text) {
  std::string_view body = NumberBody(text);
  double value = 0;
  auto result = std::from_chars(body.data(), body.data() + body.size(), value);
  if (result.ec != std::errc() || result.ptr != body.data() + body.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::optional<long long> ParseInteger(std::string_view text) {
  std::string_view body = NumberBody(text);
  long long value = 0;
  auto result = std::from_chars(body.data(), body.data() + body.size(), value);
  if (result.ec != std::errc() || result.ptr != body.data() + body.size()) return std::nullopt;
  return value;
}

}  // namespace tessarin::ui
