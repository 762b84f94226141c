#include "render/fourteen_digits.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "tracks/line_numbers.h"

namespace tessarin::render {
namespace {

constexpr int kDigits = 14;
constexpr std::uint64_t kSmallest = 10000000000000;  // 10^13: the fourteen digits of m
constexpr std::uint64_t kBeyond = 100000000000000;   // 10^14

// 5^k for 0 <= k <= 27, all below 2^63.
struct PowersOfFive {
  std::uint64_t power[28];
  PowersOfFive() {
    power[0] = 1;
    for (int k = 1; k < 28; ++k) power[k] = power[k - 1] * 5;
  }
};
const PowersOfFive kFives;

// 128 bits: a GNU extension, as the compilers we build with have it.
__extension__ typedef unsigned __int128 Wide;

// |value| × 10^k rounded to an integer, half to even, computed exactly:
// |value| = mantissa × 2^e, and 10^k = 5^k × 2^k, so the product is
// mantissa × 5^k (below 2^116) shifted by e + k.
std::uint64_t ScaleAndRound(std::uint64_t mantissa, int e, int k) {
  const Wide product = static_cast<Wide>(mantissa) * kFives.power[k];
  const int shift = e + k;
  if (shift >= 0 || shift <= -116) return 0;  // not within the range served (0 sends it to the library)
  const Wide one = 1;
  const std::uint64_t whole = static_cast<std::uint64_t>(product >> -shift);
  const Wide rest = product & ((one << -shift) - 1);
  const Wide half = one << (-shift - 1);
  return whole + ((rest > half || (rest == half && (whole & 1) != 0)) ? 1 : 0);
}

char* Fallback(char* out, double value) {
  return std::to_chars(out, out + 32, value, std::chars_format::general, kDigits).ptr;
}

// "00" to "99".
struct DigitPairs {
  char pair[200];
  DigitPairs() {
    for (int i = 0; i < 100; ++i) {
      pair[2 * i] = static_cast<char>('0' + i / 10);
      pair[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
  }
};
const DigitPairs kPairs;

// The seven digits of n < 10^7 at `digits`.
void SpellSeven(std::uint32_t n, char* digits) {
  digits[0] = static_cast<char>('0' + n / 1000000);
  n %= 1000000;
  for (int i = 2; i >= 0; --i) {
    const std::uint32_t pair = n % 100;
    n /= 100;
    digits[1 + 2 * i] = kPairs.pair[2 * pair];
    digits[2 + 2 * i] = kPairs.pair[2 * pair + 1];
  }
}

// The fourteen digits of m (10^13 <= m < 10^14), most significant first,
// as two halves; returns how many are left when trailing zeros are dropped
// (at least one). Coordinates read from track files mostly have seven
// digits: their second half is all zeros and is not spelled.
int SpellSignificantDigits(std::uint64_t m, char* digits) {
  const auto low = static_cast<std::uint32_t>(m % 10000000);
  SpellSeven(static_cast<std::uint32_t>(m / 10000000), digits);
  int significant = 7;
  if (low != 0) {
    SpellSeven(low, digits + 7);
    significant = kDigits;
  }
  while (significant > 1 && digits[significant - 1] == '0') --significant;
  return significant;
}

// The sign, then the significant digits with the decimal exponent of the
// first, in the notation "%g" picks for that exponent.
char* WriteNotation(char* p, bool negative, const char* digits, int significant, int exponent) {
  if (negative) *p++ = '-';
  if (exponent < -4 || exponent >= kDigits) {
    *p++ = digits[0];
    if (significant > 1) {
      *p++ = '.';
      for (int i = 1; i < significant; ++i) *p++ = digits[i];
    }
    *p++ = 'e';
    *p++ = exponent < 0 ? '-' : '+';
    const int e = exponent < 0 ? -exponent : exponent;
    if (e >= 100) *p++ = static_cast<char>('0' + e / 100);
    *p++ = static_cast<char>('0' + e / 10 % 10);
    *p++ = static_cast<char>('0' + e % 10);
  } else if (exponent >= 0) {
    for (int i = 0; i <= exponent; ++i) *p++ = i < significant ? digits[i] : '0';
    if (significant > exponent + 1) {
      *p++ = '.';
      for (int i = exponent + 1; i < significant; ++i) *p++ = digits[i];
    }
  } else {
    *p++ = '0';
    *p++ = '.';
    for (int i = -1; i > exponent; --i) *p++ = '0';
    for (int i = 0; i < significant; ++i) *p++ = digits[i];
  }
  return p;
}

// magnitude × 10^power, rounded (|power| <= 22).
double TimesPowerOfTen(double magnitude, int power) {
  return power >= 0 ? magnitude * tracks::kExactPowersOfTen[power] : magnitude / tracks::kExactPowersOfTen[-power];
}

// The quick way for numbers of seven digits, as coordinates read from a
// track file (and scaled) are: D, the seven-digit decimal nearest
// `magnitude`, is what "%.14g" writes when `magnitude` lies within four
// units in the last place of the double nearest D. Then |magnitude - D| is
// below 4.5 units, 1.0e-15 of it, and rounding to fourteen digits, which
// moves a number by up to half its fourteenth digit (5e-15 of it at the
// least), cannot land anywhere but D. False when it does not apply.
bool WriteSevenDigits(char*& out, double magnitude, bool negative, int roughExponent) {
  int exponent = roughExponent;
  double scaled = TimesPowerOfTen(magnitude, 6 - exponent);
  if (scaled >= 9999999.5) scaled = TimesPowerOfTen(magnitude, 6 - ++exponent);
  const auto seven = static_cast<std::uint64_t>(scaled + 0.5);
  if (seven < 1000000 || seven > 9999999) return false;
  double nearest = 0;
  if (!tracks::ScaleExactly(seven, exponent - 6, false, nearest)) return false;
  const std::int64_t apart =
      static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(magnitude) - std::bit_cast<std::uint64_t>(nearest));
  if (apart < -4 || apart > 4) return false;
  char digits[kDigits];
  const int significant = SpellSignificantDigits(seven * 10000000, digits);
  out = WriteNotation(out, negative, digits, significant, exponent);
  return true;
}

}  // namespace

char* WriteFourteenDigits(char* out, double value) {
  const double magnitude = std::fabs(value);
  if (!(magnitude >= 1e-13 && magnitude < 1e13)) return Fallback(out, value);

  // magnitude = mantissa × 2^e, with the decimal exponent X of its first
  // digit X0 or X0 + 1 (78913 / 2^18 is just below log10(2)).
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(magnitude);
  const int binaryExponent = static_cast<int>(bits >> 52) - 1023;
  const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int e = binaryExponent - 52;
  int exponent = (binaryExponent * 78913) >> 18;
  if (WriteSevenDigits(out, magnitude, std::signbit(value), exponent)) return out;
  std::uint64_t m = ScaleAndRound(mantissa, e, kDigits - 1 - exponent);
  if (m >= kBeyond) m = ScaleAndRound(mantissa, e, kDigits - 1 - ++exponent);
  if (m >= kBeyond) {  // rounded up to the next power of ten
    m /= 10;
    ++exponent;
  }
  if (m < kSmallest) return Fallback(out, value);  // not expected; the library knows best

  char digits[kDigits];
  const int significant = SpellSignificantDigits(m, digits);
  return WriteNotation(out, std::signbit(value), digits, significant, exponent);
}

}  // namespace tessarin::render
