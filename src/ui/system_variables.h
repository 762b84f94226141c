#pragma once
// The rows of the system-variables table: "@0" to "@9" with "%.16g" values.

#include <string>
#include <string_view>

#include "settings/viewparm.h"

namespace tessarin::ui {

inline constexpr std::size_t kMaxSystemVariableTextLength = 100;

std::string SystemVariableName(int index);
std::string SystemVariableText(const settings::VIEWPARM& set, int index);

// A finite decimal real that differs from the stored value is stored (true);
// anything else is refused and the old value stays.
[[nodiscard]] bool CommitSystemVariable(settings::VIEWPARM& set, int index, std::string_view text);

}  // namespace tessarin::ui
