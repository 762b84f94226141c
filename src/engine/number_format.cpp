#include "engine/number_format.h"

#include <algorithm>
#include <cstdio>

#include "platform/format_text.h"

namespace tessarin::engine {

namespace {

// A run of decimal digits from `at`, saturating far above any line length.
std::size_t ReadCount(std::string_view format, std::size_t& at) {
  std::size_t count = 0;
  for (; at < format.size() && format[at] >= '0' && format[at] <= '9'; ++at)
    count = std::min<std::size_t>(count * 10 + static_cast<std::size_t>(format[at] - '0'), 10 * kMaxTextLength);
  return count;
}

// The fewest characters a conversion prints for any value: f prints at least
// "d.ddd", e at least "d.ddde+dd"; a g conversion may print fewer digits than
// its precision, but a precision the line cannot hold has no use.
std::size_t ShortestConversion(char letter, std::size_t width, std::size_t precision) {
  std::size_t shortest = 1;
  if (letter == 'f') shortest = precision > 0 ? precision + 2 : 1;
  if (letter == 'e' || letter == 'E') shortest = precision > 0 ? precision + 6 : 5;
  if ((letter == 'g' || letter == 'G') && precision > kMaxTextLength) shortest = precision;
  return std::max(shortest, width);
}

}  // namespace

bool IsValidNumberFormat(std::string_view format) {
  if (format.size() >= 100) return false;
  int conversions = 0;
  std::size_t printed = 0;  // the fewest characters one number takes
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      ++printed;
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      ++printed;
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    std::size_t width = ReadCount(format, j);
    std::size_t precision = 0;
    if (j < format.size() && format[j] == '.') precision = ReadCount(format, ++j);
    if (j >= format.size() || std::string_view("eEfgG").find(format[j]) == std::string_view::npos) return false;
    ++conversions;
    printed += ShortestConversion(format[j], width, precision);
    i = j;
  }
  // Refused before any number is formatted: the C library would build the
  // whole text (gigabytes for a precision of 999999999) only to have it cut.
  return conversions == 1 && printed <= kMaxTextLength;
}

std::optional<std::string> FormatNumber(std::string_view format, double value) {
  std::string owned(format);
  // A width of millions of characters is refused without making the text.
  char buffer[kMaxTextLength + 2];
  platform::CLocaleScope cLocale;
  int length = std::snprintf(buffer, sizeof buffer, owned.c_str(), value);
  if (length < 0 || static_cast<std::size_t>(length) > kMaxTextLength) return std::nullopt;
  return std::string(buffer, static_cast<std::size_t>(length));
}

std::string BuildText(const std::vector<std::string>& pieces, const std::vector<double>& values,
                      std::string_view format) {
  std::string text;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (text.size() + pieces[i].size() > kMaxTextLength) {
      text.append(pieces[i], 0, kMaxTextLength - text.size());
      return text;
    }
    text += pieces[i];
    if (i >= values.size()) break;
    std::optional<std::string> number = FormatNumber(format, values[i]);
    if (!number || text.size() + number->size() > kMaxTextLength) return text;
    text += *number;
  }
  return text;
}

}  // namespace tessarin::engine
