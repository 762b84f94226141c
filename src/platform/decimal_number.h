#pragma once
// Decimal numbers as people and simulators write them, read the same way
// whatever the locale: an optional sign (a plus too), digits with an
// optional point, an optional exponent. Never a hexadecimal number, "inf"
// or "nan": where a number was expected those are not numbers.

#include <cstddef>
#include <string_view>

namespace tessarin::platform {

struct DecimalNumber {
  double value = 0;
  std::size_t length = 0;   // characters read; 0 when the text does not start with a number
  bool inRange = true;      // false beyond a double's range: value is then +-infinity, or 0 when too small
};

// The number at the start of `text`.
DecimalNumber ReadDecimal(std::string_view text);

// As ReadDecimal, a comma directly after the number taken as its decimal
// point ("1,5" is 1.5), as in numbers written with a decimal comma.
DecimalNumber ReadDecimalWithComma(std::string_view text);

// A plus sign before digits dropped (the standard conversions take only a
// minus); "+-1" and "++1" keep theirs and stay no number.
std::string_view WithoutPlusSign(std::string_view text);

}  // namespace tessarin::platform
