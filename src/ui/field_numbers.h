#pragma once
// Number text of the edit fields: formatted as the parameter file formats
// numbers ("%g", "%.16g"), parsed the same way except that blanks and tabs
// may surround the number in a field.

#include <optional>
#include <string>
#include <string_view>

#include "settings/parameter_numbers.h"

namespace tessarin::ui {

inline std::string FormatG(double value) { return settings::FormatReal(value); }
inline std::string FormatG16(double value) { return settings::FormatReal(value, 16); }
inline std::string FormatInt(int value) { return std::to_string(value); }

// Leading and trailing blanks and tabs are allowed; anything else after the
// number, an empty text, infinities and NaN are refused.
std::optional<double> ParseReal(std::string_view text);
std::optional<long long> ParseInteger(std::string_view text);

// Removes leading blanks and tabs.
std::string_view TrimLeadingBlanks(std::string_view text);
[[nodiscard]] bool IsBlank(std::string_view text);

}  // namespace tessarin::ui
