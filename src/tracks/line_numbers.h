#pragma once
// Reading numbers from a line of a track data file: fields separated by
// blanks (spaces and tabs), parsed without regard to the locale.

#include <cstdint>
#include <string_view>

namespace tessarin::tracks {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Drops leading blanks.
void SkipBlanks(std::string_view& text);
// Whether nothing but blanks is left.
bool OnlyBlanks(std::string_view text);

// A whole number after optional blanks and a sign; consumes it. Fails on an
// empty field and on a number outside 64 bits.
bool TakeInteger(std::string_view& text, std::int64_t& value);
// A real number after optional blanks and a sign; consumes it.
bool TakeReal(std::string_view& text, double& value);

// The common form of a real number ("-1.234567e+02", at most 15 digits),
// as TakeReal reads it, without bounds checks: the byte at `end` must be
// readable and no digit, blank, sign, point or exponent letter (a line end
// or a zero byte). Leaves `p` after the number. False for anything else,
// which TakeReal then decides.
bool TakeCommonReal(const char*& p, const char* end, double& value);

// Whether a number just taken ends its field: end of text or a blank.
inline bool AtFieldEnd(std::string_view text) { return text.empty() || IsBlank(text.front()); }

}  // namespace tessarin::tracks
