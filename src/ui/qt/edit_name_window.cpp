#include "ui/qt/edit_name_window.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tessarin::ui::qt {

EditNameWindow::EditNameWindow(CEditNameDlg& dialog, QWidget* parent) : QDialog(parent), dialog_(dialog) {
  setWindowTitle(QString::fromStdString(dialog.Title()));
  auto* layout = new QVBoxLayout(this);
  name_ = new QLineEdit(QString::fromStdString(dialog.name));
  name_->selectAll();
  layout->addWidget(name_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(420, sizeHint().height());
}

void EditNameWindow::accept() {
  dialog_.name = name_->text().toStdString();
  if (dialog_.Accept())
    QDialog::accept();
  else
    QDialog::reject();
}

}  // namespace tessarin::ui::qt
