#pragma once
// The logic of the "Edit name" dialog.

#include <string>

#include "settings/viewparm.h"

namespace tessarin::ui {

class CEditNameDlg {
 public:
  CEditNameDlg(settings::VIEWPARM& workingCopy, int setNumber);

  std::string Title() const;
  std::string name;  // the edit field

  // OK: stores the name (at most 200 characters, leading blanks and tabs
  // removed) and returns true, or returns false when it is the same name,
  // which ends the dialog as Cancel.
  [[nodiscard]] bool Accept();

 private:
  settings::VIEWPARM& workingCopy_;
  int setNumber_;
};

}  // namespace tessarin::ui
