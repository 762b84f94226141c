#include "ui/suffix_rules.h"

#include "settings/viewparm.h"

namespace tessarin::ui {

std::optional<std::string> NormalizeSuffix(std::string_view text) {
  std::string suffix(text.substr(0, settings::kMaxSuffixLength));
  std::size_t blank = suffix.find_first_of(" \t");
  if (blank != std::string::npos) suffix.erase(blank);
  bool seenFormat = false;
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    if (suffix[i] != '%') continue;
    // ExpandSuffix uses the suffix as a format with one integer argument, so
    // anything but one "%d" would read garbage.
    if (seenFormat || i + 1 >= suffix.size() || suffix[i + 1] != 'd') return std::nullopt;
    seenFormat = true;
    ++i;
  }
  return suffix;
}

}  // namespace tessarin::ui
