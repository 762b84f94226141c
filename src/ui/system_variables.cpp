#include "ui/system_variables.h"

#include <optional>

#include "ui/field_numbers.h"

namespace tessarin::ui {

std::string SystemVariableName(int index) { return "@" + std::to_string(index); }

std::string SystemVariableText(const settings::VIEWPARM& set, int index) {
  return FormatG16(set.systemVariables[static_cast<std::size_t>(index)]);
}

bool CommitSystemVariable(settings::VIEWPARM& set, int index, std::string_view text) {
  if (index < 0 || index >= settings::kSystemVariableCount) return false;
  std::optional<double> value = ParseReal(text.substr(0, kMaxSystemVariableTextLength));
  double& stored = set.systemVariables[static_cast<std::size_t>(index)];
  if (!value || *value == stored) return false;
  stored = *value;
  return true;
}

}  // namespace tessarin::ui
