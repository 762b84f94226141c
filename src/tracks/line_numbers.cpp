#include "tracks/line_numbers.h"

#include <charconv>
#include <cmath>

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

namespace {

// The common case of track files, "-1.234567e+02": a decimal mantissa of at
// most 15 digits and a small exponent. Both the mantissa and the power of
// ten are exact doubles then, so one multiplication or division gives the
// correctly rounded value. Anything else is left to from_chars.
bool TakeSimpleReal(std::string_view& text, double& value) {
  const char* p = text.data();
  const char* const end = p + text.size();
  bool negative = false;
  if (p != end && (*p == '-' || *p == '+')) negative = *p++ == '-';
  std::uint64_t mantissa = 0;
  int digits = 0, fractionDigits = 0;
  while (p != end && IsDigit(*p)) {
    mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
    ++digits;
  }
  if (p != end && *p == '.') {
    ++p;
    while (p != end && IsDigit(*p)) {
      mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
      ++digits;
      ++fractionDigits;
    }
  }
  if (digits == 0 || digits > 15) return false;
  int exponent = 0;
  if (p != end && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    bool negativeExponent = false;
    if (q != end && (*q == '-' || *q == '+')) negativeExponent = *q++ == '-';
    if (q == end || !IsDigit(*q)) return false;
    while (q != end && IsDigit(*q) && exponent < 1000) exponent = exponent * 10 + (*q++ - '0');
    if (q != end && IsDigit(*q)) return false;
    if (negativeExponent) exponent = -exponent;
    p = q;
  }
  if (!ScaleExactly(mantissa, exponent - fractionDigits, negative, value)) return false;
  text.remove_prefix(static_cast<std::size_t>(p - text.data()));
  return true;
}

}  // namespace

bool TakeReal(std::string_view& text, double& value) {
  SkipBlanks(text);
  if (TakeSimpleReal(text, value)) return true;
  std::string_view digits = DropPlusSign(text);
  double parsed = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
  // from_chars also reads "nan", "inf" and "infinity": no coordinate or
  // energy a simulator writes, and nothing a drawing could show.
  if (error != std::errc() || !std::isfinite(parsed)) return false;
  value = parsed;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return true;
}

}  // namespace tessarin::tracks
