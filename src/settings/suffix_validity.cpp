#include "settings/suffix_validity.h"

#include "settings/viewparm.h"

namespace tessarin::settings {

bool IsValidSuffix(std::string_view suffix) {
  if (suffix.size() > kMaxSuffixLength) return false;
  int numberPlaces = 0;
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    if (suffix[i] == ' ') return false;
    if (suffix[i] != '%') continue;
    if (i + 1 >= suffix.size() || suffix[i + 1] != 'd' || ++numberPlaces > 1) return false;
    ++i;
  }
  return true;
}

}  // namespace tessarin::settings
