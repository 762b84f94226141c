#include "input/message_text.h"

#include <locale.h>

#include <cstdarg>
#include <cstdio>

namespace tessarin::input {
namespace {

locale_t CLocale() {
  static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

}  // namespace

std::string FormatText(const char* format, ...) {
  locale_t previous = uselocale(CLocale());
  std::va_list arguments;
  va_start(arguments, format);
  std::va_list copy;
  va_copy(copy, arguments);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text;
  if (length > 0) {
    text.resize(static_cast<std::size_t>(length));
    std::vsnprintf(text.data(), text.size() + 1, format, arguments);
  }
  va_end(arguments);
  uselocale(previous);
  return text;
}

}  // namespace tessarin::input
