#pragma once
// printf-style formatting that always uses the C locale, so that numbers in
// messages, files and generated lines look the same whatever the user's
// settings are. The locale is switched for the calling thread only.

#include <cstdarg>
#include <string>

namespace tessarin::platform {

std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatTextV(const char* format, std::va_list arguments);

// Makes the calling thread use the C locale until the end of the scope, for
// printf-family calls into buffers of one's own.
class CLocaleScope {
 public:
  CLocaleScope();
  ~CLocaleScope();
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  void* previous_;
};

}  // namespace tessarin::platform
