#include "ui/suffix_rules.h"

#include "settings/suffix_validity.h"
#include "settings/viewparm.h"

namespace tessarin::ui {

std::optional<std::string> NormalizeSuffix(std::string_view text) {
  std::string suffix(text.substr(0, settings::kMaxSuffixLength));
  std::size_t blank = suffix.find_first_of(" \t");
  if (blank != std::string::npos) suffix.erase(blank);
  if (!settings::IsValidSuffix(suffix)) return std::nullopt;
  return suffix;
}

}  // namespace tessarin::ui
