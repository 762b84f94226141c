#include "settings/parameter_numbers.h"

#include <array>
#include <charconv>

#include "platform/decimal_number.h"

namespace tessarin::settings {

std::string FormatReal(double value, int significantDigits) {
  std::array<char, 64> buffer{};
  auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, significantDigits);
  if (error != std::errc()) return {};
  return std::string(buffer.data(), end);
}

std::optional<long long> ParseInteger(std::string_view token) {
  token = platform::WithoutPlusSign(token);
  long long value = 0;
  auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  if (error != std::errc() || end != token.data() + token.size()) return std::nullopt;
  return value;
}

std::optional<double> ParseReal(std::string_view token) {
  platform::DecimalNumber number = platform::ReadDecimal(token);
  if (number.length == 0 || number.length != token.size() || !number.inRange) return std::nullopt;
  return number.value;
}

}  // namespace tessarin::settings
