#include "engine/number_format.h"

#include <cstdio>

#include "platform/format_text.h"

namespace tessarin::engine {

bool IsValidNumberFormat(std::string_view format) {
  if (format.size() >= 100) return false;
  int conversions = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    if (i + 1 < format.size() && format[i + 1] == '%') {
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    while (j < format.size() && format[j] >= '0' && format[j] <= '9') ++j;
    if (j < format.size() && format[j] == '.') {
      ++j;
      while (j < format.size() && format[j] >= '0' && format[j] <= '9') ++j;
    }
    if (j >= format.size() || std::string_view("eEfgG").find(format[j]) == std::string_view::npos) return false;
    ++conversions;
    i = j;
  }
  return conversions == 1;
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
