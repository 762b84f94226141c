#include "ui/qt/new_parm_set_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/messages.h"
#include "ui/qt/captions.h"

namespace tessarin::ui::qt {

NewParmSetWindow::NewParmSetWindow(CNewParmSetDlg& dialog, QWidget* parent) : QDialog(parent), dialog_(dialog) {
  setWindowTitle(messages::kNewParmSetTitle.data());
  auto* layout = new QVBoxLayout(this);
  name_ = new QLineEdit(QString::fromStdString(dialog.name));
  name_->selectAll();
  auto* nameLabel = new QLabel(captions::kNewSetName);
  nameLabel->setBuddy(name_);
  layout->addWidget(nameLabel);
  layout->addWidget(name_);
  layout->addSpacing(6);
  layout->addWidget(new QLabel(captions::kNewSetNote));
  layout->addWidget(new QLabel(captions::kInsertAfter));
  positions_ = new QListWidget;
  for (const std::string& entry : dialog.InsertPositions()) positions_->addItem(QString::fromStdString(entry));
  positions_->setCurrentRow(dialog.insertPosition);
  positions_->setMinimumHeight(140);
  layout->addWidget(positions_, 1);
  auto* buttons = new QDialogButtonBox;
  buttons->addButton(captions::kCreate, QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(captions::kDoNotCreate, QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(460, 380);
}

void NewParmSetWindow::accept() {
  dialog_.name = name_->text().toStdString();
  dialog_.insertPosition = std::max(0, positions_->currentRow());
  QDialog::accept();
}

}  // namespace tessarin::ui::qt
