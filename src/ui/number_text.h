#pragma once
// Locale-independent number text for the edit fields: "%g" / "%.16g" style
// output and strict parsing (only blanks or tabs may follow the number).

#include <optional>
#include <string>
#include <string_view>

namespace tessarin::ui {

std::string FormatG(double value);    // like "%g"
std::string FormatG16(double value);  // like "%.16g"
std::string FormatInt(int value);     // like "%d"

// Leading and trailing blanks and tabs are allowed; anything else after the
// number, an empty text, infinities and NaN are refused.
std::optional<double> ParseReal(std::string_view text);
std::optional<long long> ParseInteger(std::string_view text);

// Removes leading blanks and tabs.
std::string_view TrimLeadingBlanks(std::string_view text);
bool IsBlank(std::string_view text);

}  // namespace tessarin::ui
