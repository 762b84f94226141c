#pragma once
// Runs the secondary dialogs for the controller. The desktop shows real
// dialogs; tests fill the dialog objects and answer OK or Cancel.

namespace tessarin::ui {

class CNewParmSetDlg;
class CEditNameDlg;
class CCmdLineDlg;

class DialogRunner {
 public:
  virtual ~DialogRunner() = default;
  // Each returns true for OK (for the edit-name and command-line dialogs:
  // only when their Accept() reported a change).
  [[nodiscard]] virtual bool Run(CNewParmSetDlg& dialog) = 0;
  [[nodiscard]] virtual bool Run(CEditNameDlg& dialog) = 0;
  [[nodiscard]] virtual bool Run(CCmdLineDlg& dialog) = 0;
  virtual void ShowSystemVariables() = 0;  // modeless
  virtual void ShowAbout() = 0;
};

}  // namespace tessarin::ui
