#include "ui/new_parm_set_dialog.h"

#include "ui/field_numbers.h"
#include "ui/set_entry.h"

namespace tessarin::ui {

CNewParmSetDlg::CNewParmSetDlg(const std::vector<settings::VIEWPARM>& sets, int currentIndex)
    : insertPosition(currentIndex + 1) {
  const std::string& current = sets[static_cast<std::size_t>(currentIndex)].name;
  name = IsBlank(current) ? std::string() : current;
  positions_.emplace_back();
  for (std::size_t i = 0; i < sets.size(); ++i) positions_.push_back(SetListEntry(static_cast<int>(i), sets[i].name));
}

std::string CNewParmSetDlg::ChosenName() const {
  return std::string(TrimLeadingBlanks(std::string_view(name).substr(0, kMaxNewSetNameLength)));
}

}  // namespace tessarin::ui
