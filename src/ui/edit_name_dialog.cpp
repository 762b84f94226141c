#include "ui/edit_name_dialog.h"

#include "ui/messages.h"
#include "ui/field_numbers.h"
#include "ui/set_entry.h"

namespace tessarin::ui {

CEditNameDlg::CEditNameDlg(settings::VIEWPARM& workingCopy, int setNumber)
    : name(workingCopy.name), workingCopy_(workingCopy), setNumber_(setNumber) {}

std::string CEditNameDlg::Title() const { return WithNumber(messages::kEditNameTitle, setNumber_); }

bool CEditNameDlg::Accept() {
  std::string chosen(TrimLeadingBlanks(std::string_view(name).substr(0, settings::kMaxNameLength)));
  if (chosen == workingCopy_.name) return false;
  workingCopy_.name = chosen;
  return true;
}

}  // namespace tessarin::ui
