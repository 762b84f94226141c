#pragma once
// Reading numbers from a line of a track data file: fields separated by
// blanks (spaces and tabs), parsed without regard to the locale.

#include <bit>
#include <cstdint>
#include <string_view>

namespace tessarin::tracks {

[[nodiscard]] inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Drops leading blanks.
void SkipBlanks(std::string_view& text);
// Whether nothing but blanks is left.
[[nodiscard]] bool OnlyBlanks(std::string_view text);

// A whole number after optional blanks and a sign; consumes it. Fails on an
// empty field and on a number outside 64 bits.
[[nodiscard]] bool TakeInteger(std::string_view& text, std::int64_t& value);
// A real number after optional blanks and a sign; consumes it.
[[nodiscard]] bool TakeReal(std::string_view& text, double& value);

// Powers of ten that doubles hold exactly.
inline constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// ±mantissa × 10^exponent, correctly rounded, when both are exact doubles: a
// mantissa of at most 15 digits and |exponent| <= 22 (false otherwise, and
// `value` is left alone). One multiplication or division rounds once; the
// sign is set without a branch, as signs in track files come at random.
[[nodiscard]] inline bool ScaleExactly(std::uint64_t mantissa, int exponent, bool negative, double& value) {
  if (exponent < -22 || exponent > 22) return false;
  const double magnitude = static_cast<double>(mantissa);
  const double scaled =
      exponent < 0 ? magnitude / kExactPowersOfTen[-exponent] : magnitude * kExactPowersOfTen[exponent];
  value = std::bit_cast<double>(std::bit_cast<std::uint64_t>(scaled) | (std::uint64_t{negative} << 63));
  return true;
}

[[nodiscard]] inline bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// Whether a number just taken ends its field: end of text or a blank.
[[nodiscard]] inline bool AtFieldEnd(std::string_view text) { return text.empty() || IsBlank(text.front()); }

}  // namespace tessarin::tracks
