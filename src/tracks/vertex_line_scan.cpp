#include "tracks/vertex_line_scan.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "tracks/line_numbers.h"

namespace tessarin::tracks {
namespace {

constexpr std::uint64_t kZeroDigits = 0x3030303030303030;
constexpr std::uint64_t kPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

// Eight bytes, the first in the lowest byte.
std::uint64_t LoadEight(const char* p) {
  std::uint64_t bytes = 0;
  std::memcpy(&bytes, p, sizeof bytes);
  return bytes;
}

// How many of the eight bytes, from the first, are digits. A byte below '0'
// sets its top bit when '0' is taken away, a byte above '9' when 0x46 is
// added; carries and borrows only run from such a byte into later ones.
int LeadingDigits(std::uint64_t bytes) {
  const std::uint64_t nonDigits = ((bytes + 0x4646464646464646) | (bytes - kZeroDigits)) & 0x8080808080808080;
  return nonDigits == 0 ? 8 : std::countr_zero(nonDigits) >> 3;
}

// The number the first `count` (1 to 8) bytes spell: the bytes after them
// are shifted out, leaving leading zeros, then pairs, quadruples and the
// two halves are combined by multiplications.
std::uint64_t DigitsValue(std::uint64_t bytes, int count) {
  std::uint64_t v = (bytes - kZeroDigits) << (8 * (8 - count));
  v = v * 10 + (v >> 8);
  v = ((v & 0x000000FF000000FF) * (100 + (1000000ULL << 32)) +
       ((v >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32))) >>
      32;
  return v;
}

// The unsigned part of a number exactly as printf's "%e" writes it,
// "d.dddddde±dd", read at fixed places: nothing waits for the length of a
// part to be known. Leaves `p` after it; false (and `p` alone) for anything
// else.
bool TakePrintedNumber(const char*& p, bool negative, double& value) {
  const std::uint64_t head = LoadEight(p);      // "d.dddddd"
  const std::uint64_t tail = LoadEight(p + 8);  // "e±dd" and what follows
  const std::uint64_t digits = (head & 0xFF) | ((head >> 8) & ~std::uint64_t{0xFF});  // the point taken out
  const unsigned exponentSign = static_cast<unsigned>(tail >> 8) & 0xFF;
  if (((head >> 8) & 0xFF) != '.' || LeadingDigits(digits) != 7 || (tail & 0xDF) != 'E' ||
      (exponentSign != '-' && exponentSign != '+') || LeadingDigits(tail >> 16) != 2)
    return false;
  const int exponent =
      static_cast<int>(((tail >> 16) & 0xFF) - '0') * 10 + static_cast<int>(((tail >> 24) & 0xFF) - '0');
  const int scale = (exponentSign == '-' ? -exponent : exponent) - 6;
  if (!ScaleExactly(DigitsValue(digits, 7), scale, negative, value)) return false;
  p += 12;
  return true;
}

// One number after blanks, with the value TakeReal gives it, or false when
// it is not of the common form (at most 15 digits, an exponent of at most
// four digits, a scale within ±22); leaves `at` after it.
bool TakeNumber(const char*& at, double& value) {
  const char* p = at;  // a local: stores through `at` could not be kept in a register
  while (IsBlank(*p)) ++p;
  // Signs come at random: no branches on them.
  const bool negative = *p == '-';
  p += negative | (*p == '+');
  if (TakePrintedNumber(p, negative, value)) {
    at = p;
    return true;
  }
  std::uint64_t mantissa = 0;
  const char* const first = p;
  while (IsDigit(*p)) mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
  int digits = static_cast<int>(p - first);
  int fractionDigits = 0;
  if (*p == '.') {
    ++p;
    for (;;) {
      const std::uint64_t bytes = LoadEight(p);
      const int count = LeadingDigits(bytes);
      if (count > 0) {
        mantissa = mantissa * kPowersOfTen[count] + DigitsValue(bytes, count);
        p += count;
        fractionDigits += count;
      }
      if (count < 8 || fractionDigits > 15) break;
    }
  }
  digits += fractionDigits;
  if (digits == 0 || digits > 15) return false;
  int exponent = 0;
  if (*p == 'e' || *p == 'E') {
    ++p;
    const bool negativeExponent = *p == '-';
    p += negativeExponent | (*p == '+');
    const char* const exponentDigits = p;
    while (IsDigit(*p) && p - exponentDigits < 4) exponent = exponent * 10 + (*p++ - '0');
    if (p == exponentDigits || IsDigit(*p)) return false;
    exponent = negativeExponent ? -exponent : exponent;
  }
  at = p;
  return ScaleExactly(mantissa, exponent - fractionDigits, negative, value);
}

}  // namespace

const char* ScanVertexLine(const char* line, const char* textEnd, settings::TrackVertex& vertex) {
  if constexpr (std::endian::native != std::endian::little) return nullptr;
  const char* p = line;
  if (!TakeNumber(p, vertex.x) || !IsBlank(*p) || !TakeNumber(p, vertex.y) || !IsBlank(*p) ||
      !TakeNumber(p, vertex.z) || !IsBlank(*p) || !TakeNumber(p, vertex.energy))
    return nullptr;
  while (IsBlank(*p)) ++p;
  if (*p == '\n' || p == textEnd || (*p == '\r' && p[1] == '\n')) return p;
  return nullptr;
}

}  // namespace tessarin::tracks
