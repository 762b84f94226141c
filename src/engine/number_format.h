#pragma once
// The number format of the text functions and how their output text is
// built from literal pieces and values.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin::engine {

inline constexpr std::string_view kDefaultNumberFormat = "%.14g";
inline constexpr std::size_t kMaxTextLength = 1000;

// A format with exactly one conversion of optional width and precision and
// one of e, E, f, g, G; "%%" is a literal percent sign. A format whose
// shortest number would not fit in a line of kMaxTextLength is refused.
[[nodiscard]] bool IsValidNumberFormat(std::string_view format);
// The value in the format; none when that would pass 1000 characters.
std::optional<std::string> FormatNumber(std::string_view format, double value);
// piece, value, piece, ..., piece, cut at 1000 characters.
std::string BuildText(const std::vector<std::string>& pieces, const std::vector<double>& values,
                      std::string_view format);

}  // namespace tessarin::engine
