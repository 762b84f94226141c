#pragma once
// The logic's texts (UTF-8, not necessarily zero-terminated) as Qt strings.

#include <QString>
#include <string_view>

namespace tessarin::ui::qt {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tessarin::ui::qt
