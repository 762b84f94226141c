#pragma once
// How the directives read numbers, independent of the user's locale. A
// "complete" number is the whole token; a "leading" number reads what the
// token begins with, as the simulator does for some keywords.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tessarin::input {

// The whole token as a finite floating-point number (an optional '+' is
// accepted); nan, inf and values beyond a double are refused.
std::optional<double> ParseCompleteNumber(std::string_view token);

// The number the token begins with, ignoring what follows; 0 when it does
// not begin with one. Nothing when the number is not finite.
std::optional<double> ParseLeadingNumber(std::string_view token);

// The integer the token begins with (optional sign, then digits), 0 when it
// does not begin with one; saturated to the 32-bit range.
std::int32_t ParseLeadingInteger(std::string_view token);

// An identifier: a complete number strictly between 0.5 and 2147483647.5,
// rounded to the nearest integer.
std::optional<std::int32_t> ParseIdentifier(std::string_view token);

// Whether the text begins with an integer of at least 1 (what selects a
// prefixed keyword such as S<n>).
[[nodiscard]] bool BeginsWithPositiveInteger(std::string_view text);

}  // namespace tessarin::input
