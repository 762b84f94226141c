#pragma once
// The "New parameter set" dialog.

#include <QDialog>

#include "ui/new_parm_set_dialog.h"

class QLineEdit;
class QListWidget;

namespace tessarin::ui::qt {

class NewParmSetWindow : public QDialog {
  Q_OBJECT
 public:
  NewParmSetWindow(CNewParmSetDlg& dialog, QWidget* parent = nullptr);
  void accept() override;

 private:
  CNewParmSetDlg& dialog_;
  QLineEdit* name_;
  QListWidget* positions_;
};

}  // namespace tessarin::ui::qt
