#include "settings/number_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace tessarin::settings {

namespace {

// from_chars takes no leading plus sign; the C conversions did.
std::string_view WithoutPlusSign(std::string_view token) {
  if (token.size() > 1 && token.front() == '+' && token[1] != '-' && token[1] != '+') token.remove_prefix(1);
  return token;
}

}  // namespace

std::string FormatReal(double value, int significantDigits) {
  std::array<char, 64> buffer{};
  auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, significantDigits);
  if (error != std::errc()) return {};
  return std::string(buffer.data(), end);
}

std::optional<long long> ParseInteger(std::string_view token) {
  token = WithoutPlusSign(token);
  long long value = 0;
  auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  if (error != std::errc() || end != token.data() + token.size()) return std::nullopt;
  return value;
}

std::optional<double> ParseReal(std::string_view token) {
  token = WithoutPlusSign(token);
  double value = 0;
  auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value, std::chars_format::general);
  if (error != std::errc() || end != token.data() + token.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace tessarin::settings
