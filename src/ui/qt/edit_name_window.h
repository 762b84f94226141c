#pragma once
// The "Edit name" dialog.

#include <QDialog>

#include "ui/edit_name_dialog.h"

class QLineEdit;

namespace tessarin::ui::qt {

class EditNameWindow : public QDialog {
  Q_OBJECT
 public:
  EditNameWindow(CEditNameDlg& dialog, QWidget* parent = nullptr);
  // The same name ends the dialog as Cancel.
  void accept() override;

 private:
  CEditNameDlg& dialog_;
  QLineEdit* name_;
};

}  // namespace tessarin::ui::qt
