#include "input/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/decimal_number.h"

namespace tessarin::input {
namespace {

struct LeadingNumber {
  double value = 0;
  std::size_t length = 0;  // characters taken; 0 when there is no number
  bool finite = true;
};

LeadingNumber ReadLeadingNumber(std::string_view text) {
  LeadingNumber number;
  std::string_view digits = platform::WithoutPlusSign(text);
  const char* begin = digits.data();
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(begin, end, number.value, std::chars_format::general);
  if (error == std::errc::invalid_argument) return {};
  number.length = static_cast<std::size_t>(stop - text.data());
  number.finite = error == std::errc{} && std::isfinite(number.value);
  return number;
}

}  // namespace

std::optional<double> ParseCompleteNumber(std::string_view token) {
  LeadingNumber number = ReadLeadingNumber(token);
  if (number.length == 0 || number.length != token.size() || !number.finite) return std::nullopt;
  return number.value;
}

std::optional<double> ParseLeadingNumber(std::string_view token) {
  LeadingNumber number = ReadLeadingNumber(token);
  if (number.length == 0) return 0.0;
  if (!number.finite) return std::nullopt;
  return number.value;
}

std::int32_t ParseLeadingInteger(std::string_view token) {
  std::size_t position = 0;
  bool negative = false;
  if (position < token.size() && (token[position] == '+' || token[position] == '-')) {
    negative = token[position] == '-';
    ++position;
  }
  long long value = 0;
  constexpr long long kLimit = static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + 1;
  for (; position < token.size() && token[position] >= '0' && token[position] <= '9'; ++position) {
    value = value * 10 + (token[position] - '0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(value >= kLimit ? kLimit - 1 : value);
}

std::optional<std::int32_t> ParseIdentifier(std::string_view token) {
  std::optional<double> value = ParseCompleteNumber(token);
  if (!value || !(*value > 0.5 && *value < 2147483647.5)) return std::nullopt;
  return static_cast<std::int32_t>(std::lround(*value));
}

bool BeginsWithPositiveInteger(std::string_view text) {
  return ParseLeadingInteger(text) >= 1;
}

}  // namespace tessarin::input
