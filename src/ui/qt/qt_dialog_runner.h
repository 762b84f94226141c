#pragma once
// Shows the secondary dialogs over the main window.

#include <QPointer>
#include <QWidget>

#include "ui/controller.h"
#include "ui/dialog_runner.h"
#include "ui/qt/system_vars_window.h"

namespace tessarin::ui::qt {


class QtDialogRunner final : public DialogRunner {
 public:
  // The owner and the controller are known only after both are built.
  void Attach(QWidget* owner, Controller* controller, std::function<void()> changed);

  [[nodiscard]] bool Run(CNewParmSetDlg& dialog) override;
  [[nodiscard]] bool Run(CEditNameDlg& dialog) override;
  [[nodiscard]] bool Run(CCmdLineDlg& dialog) override;
  void ShowSystemVariables() override;
  void ShowAbout() override;

  // The modeless system-variables dialog, created hidden on first use.
  SystemVarsWindow* SystemVariablesWindow();
  SystemVarsWindow* ExistingSystemVariablesWindow() const { return systemVariables_; }

 private:
  QWidget* owner_ = nullptr;
  Controller* controller_ = nullptr;
  std::function<void()> changed_;
  QPointer<SystemVarsWindow> systemVariables_;
  bool systemVariablesPlaced_ = false;
};

}  // namespace tessarin::ui::qt
