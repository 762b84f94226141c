#include "platform/decimal_number.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace tessarin::platform {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// How many characters of `text` form a decimal number; 0 when none.
std::size_t DecimalLength(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

// Beyond a double's range: overflow when the first significant digit
// stands at a positive power of ten, underflow otherwise.
double OutOfRangeValue(std::string_view number) {
  bool negative = number.front() == '-';
  long long exponent = 0;
  std::size_t e = number.find_first_of("eE");
  if (e != std::string_view::npos) {
    std::string_view digits = number.substr(e + 1);
    bool negativeExponent = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) digits.remove_prefix(1);
    for (char c : digits) exponent = std::min(exponent * 10 + (c - '0'), 1000000LL);
    if (negativeExponent) exponent = -exponent;
    number = number.substr(0, e);
  }
  long long position = 0;  // the power of ten of the digit being looked at, plus one
  std::size_t point = number.find('.');
  std::size_t integerEnd = point == std::string_view::npos ? number.size() : point;
  for (std::size_t i = 0; i < number.size(); ++i) {
    if (!IsDigit(number[i])) continue;
    position = i < integerEnd ? static_cast<long long>(integerEnd - i) : -static_cast<long long>(i - point - 1);
    if (number[i] != '0') break;
  }
  double huge = std::numeric_limits<double>::infinity();
  double value = position + exponent > 0 ? huge : 0.0;
  return negative ? -value : value;
}

}  // namespace

std::string_view WithoutPlusSign(std::string_view text) {
  if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
  return text;
}

DecimalNumber ReadDecimal(std::string_view text) {
  DecimalNumber number;
  number.length = DecimalLength(text);
  if (number.length == 0) return number;
  std::string_view digits = WithoutPlusSign(text.substr(0, number.length));
  auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), number.value, std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    number.inRange = false;
    number.value = OutOfRangeValue(digits);
  }
  return number;
}

DecimalNumber ReadDecimalWithComma(std::string_view text) {
  DecimalNumber number = ReadDecimal(text);
  if (number.length == 0 || number.length >= text.size() || text[number.length] != ',') return number;
  std::string withPoint(text);
  withPoint[number.length] = '.';
  return ReadDecimal(withPoint);
}

}  // namespace tessarin::platform
