#include "ui/qt/qt_dialog_runner.h"

#include <QApplication>

#include "ui/qt/about_window.h"
#include "ui/qt/cmd_line_window.h"
#include "ui/qt/edit_name_window.h"
#include "ui/qt/new_parm_set_window.h"
#include "ui/qt/system_vars_window.h"

namespace tessarin::ui::qt {

void QtDialogRunner::Attach(QWidget* owner, Controller* controller, std::function<void()> changed) {
  owner_ = owner;
  controller_ = controller;
  changed_ = std::move(changed);
}

bool QtDialogRunner::Run(CNewParmSetDlg& dialog) {
  NewParmSetWindow window(dialog, owner_);
  return window.exec() == QDialog::Accepted;
}

bool QtDialogRunner::Run(CEditNameDlg& dialog) {
  EditNameWindow window(dialog, owner_);
  return window.exec() == QDialog::Accepted;
}

bool QtDialogRunner::Run(CCmdLineDlg& dialog) {
  CmdLineWindow window(dialog, [this] { ShowSystemVariables(); }, owner_);
  return window.exec() == QDialog::Accepted;
}

SystemVarsWindow* QtDialogRunner::SystemVariablesWindow() {
  if (!systemVariables_ && controller_) systemVariables_ = new SystemVarsWindow(*controller_, changed_, owner_);
  return systemVariables_;
}

void QtDialogRunner::ShowSystemVariables() {
  SystemVarsWindow* window = SystemVariablesWindow();
  if (!window) return;
  // Behind a modal dialog (the command-line dialog's own button) a modeless
  // window would be shown but take no input, so there it is modal itself.
  QWidget* modal = QApplication::activeModalWidget();
  Qt::WindowModality modality = modal && modal != window ? Qt::ApplicationModal : Qt::NonModal;
  if (window->windowModality() != modality) {
    window->hide();  // the modality of a shown window does not change
    window->setWindowModality(modality);
  }
  window->ShowValues();
  if (!systemVariablesPlaced_ && owner_) {
    // Centred on the main window the first time; later where the user left it.
    window->adjustSize();
    window->move(owner_->geometry().center() - window->rect().center());
    systemVariablesPlaced_ = true;
  }
  window->show();
  window->raise();
  window->activateWindow();
}

void QtDialogRunner::ShowAbout() {
  AboutWindow window(owner_);
  window.exec();
}

}  // namespace tessarin::ui::qt
