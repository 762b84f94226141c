#include "tracks/vertex_line_scan.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__x86_64__) && defined(__GNUC__)
#include <tmmintrin.h>
#define TESSARIN_SCAN_WITH_SSSE3 1
#endif

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
// part to be known. Take leaves `p` after it; false (and `p` alone) for
// anything else.
struct PrintedBySwar {
  [[gnu::always_inline]] static bool Take(const char*& p, bool negative, double& value) {
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
};

#ifdef TESSARIN_SCAN_WITH_SSSE3
// The same with the sixteen bytes in one register: every byte checked at
// once, the digits gathered by one shuffle and added up by two
// multiply-adds. About half the instructions.
struct PrintedBySsse3 {
  __attribute__((target("ssse3"))) static bool Take(const char*& p, bool negative, double& value) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i digits = _mm_sub_epi8(bytes, _mm_set1_epi8('0'));
    const __m128i isDigit = _mm_cmpeq_epi8(_mm_min_epu8(digits, _mm_set1_epi8(9)), digits);
    const __m128i lowered = _mm_or_si128(bytes, _mm_setr_epi8(0, 0, 0, 0, 0, 0, 0, 0, 0x20, 0, 0, 0, 0, 0, 0, 0));
    const __m128i marks =
        _mm_or_si128(_mm_cmpeq_epi8(lowered, _mm_setr_epi8(0, '.', 0, 0, 0, 0, 0, 0, 'e', '-', 0, 0, 0, 0, 0, 0)),
                     _mm_cmpeq_epi8(bytes, _mm_setr_epi8(0, 0, 0, 0, 0, 0, 0, 0, 0, '+', 0, 0, 0, 0, 0, 0)));
    // Of the first thirteen bytes: digits at 0, 2-7, 10 and 11 (and not at
    // 12); the point at 1, the 'e' at 8, the exponent's sign at 9.
    constexpr unsigned kDigitPlaces = 0b0'1100'1111'1101, kMarkPlaces = 0b0'0011'0000'0010;
    if ((static_cast<unsigned>(_mm_movemask_epi8(isDigit)) & 0x1FFF) != kDigitPlaces ||
        (static_cast<unsigned>(_mm_movemask_epi8(marks)) & 0x1FFF) != kMarkPlaces)
      return false;
    // A zero, the seven digits and the exponent's two, as byte pairs; the
    // pairs as numbers to 99; those as a three-digit and a four-digit half
    // of the digits, and the exponent.
    const __m128i gathered =
        _mm_shuffle_epi8(digits, _mm_setr_epi8(-1, 0, 2, 3, 4, 5, 6, 7, 10, 11, -1, -1, -1, -1, -1, -1));
    const __m128i pairs =
        _mm_maddubs_epi16(gathered, _mm_setr_epi8(10, 1, 10, 1, 10, 1, 10, 1, 10, 1, 0, 0, 0, 0, 0, 0));
    const __m128i halves = _mm_madd_epi16(pairs, _mm_setr_epi16(100, 1, 100, 1, 1, 0, 0, 0));
    const auto both = static_cast<std::uint64_t>(_mm_cvtsi128_si64(halves));
    const std::uint64_t mantissa = (both & 0xFFFFFFFF) * 10000 + (both >> 32);
    const int exponent = _mm_extract_epi16(halves, 4);
    const int scale = (p[9] == '-' ? -exponent : exponent) - 6;
    if (!ScaleExactly(mantissa, scale, negative, value)) return false;
    p += 12;
    return true;
  }
};
#endif

// One number after blanks, with the value TakeReal gives it, or false when
// it is not of the common form (at most 15 digits, an exponent of at most
// four digits, a scale within ±22); leaves `at` after it.
template <typename Printed>
[[gnu::always_inline]] inline bool TakeNumber(const char*& at, double& value) {
  const char* p = at;  // a local: stores through `at` could not be kept in a register
  while (IsBlank(*p)) ++p;
  // Signs come at random: no branches on them.
  const bool negative = *p == '-';
  p += negative | (*p == '+');
  if (Printed::Take(p, negative, value)) {
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

template <typename Printed>
[[gnu::always_inline]] inline const char* ScanLine(const char* line, const char* textEnd,
                                                   TrackVertex& vertex) {
  const char* p = line;
  if (!TakeNumber<Printed>(p, vertex.x) || !IsBlank(*p) || !TakeNumber<Printed>(p, vertex.y) || !IsBlank(*p) ||
      !TakeNumber<Printed>(p, vertex.z) || !IsBlank(*p) || !TakeNumber<Printed>(p, vertex.energy))
    return nullptr;
  while (IsBlank(*p)) ++p;
  if (*p == '\n' || p == textEnd || (*p == '\r' && p[1] == '\n')) return p;
  return nullptr;
}

const char* ScanPortably(const char* line, const char* textEnd, TrackVertex& vertex) {
  if constexpr (std::endian::native != std::endian::little) return nullptr;
  return ScanLine<PrintedBySwar>(line, textEnd, vertex);
}

#ifdef TESSARIN_SCAN_WITH_SSSE3
__attribute__((target("ssse3"))) const char* ScanWithSsse3(const char* line, const char* textEnd,
                                                            TrackVertex& vertex) {
  return ScanLine<PrintedBySsse3>(line, textEnd, vertex);
}
#endif

}  // namespace

std::span<const VertexLineScanner> UsableVertexLineScanners() {
  static const std::vector<VertexLineScanner> scanners = [] {
    std::vector<VertexLineScanner> usable{&ScanPortably};
#ifdef TESSARIN_SCAN_WITH_SSSE3
    __builtin_cpu_init();
    if (__builtin_cpu_supports("ssse3")) usable.push_back(&ScanWithSsse3);
#endif
    return usable;
  }();
  return scanners;
}

const char* ScanVertexLine(const char* line, const char* textEnd, TrackVertex& vertex) {
  static const VertexLineScanner best = UsableVertexLineScanners().back();
  return best(line, textEnd, vertex);
}

}  // namespace tessarin::tracks
