#pragma once
// Numbers as the parameter file writes and reads them, independent of the
// user's locale.

#include <optional>
#include <string>
#include <string_view>

namespace tessarin::settings {

// printf "%.<significantDigits>g" in the C locale: 6 digits for "%g",
// 16 for the system variables.
std::string FormatReal(double value, int significantDigits = 6);

// A whole token as a decimal integer (optional sign); nothing may follow
// the digits.
std::optional<long long> ParseInteger(std::string_view token);

// A whole token as a finite decimal floating-point number; nan and inf are
// refused, as are values that overflow a double.
std::optional<double> ParseReal(std::string_view token);

}  // namespace tessarin::settings
