#include "ui/qt/system_vars_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "settings/viewparm.h"
#include "ui/messages.h"
#include "ui/qt/captions.h"
#include "ui/qt/vector_table.h"
#include "ui/system_variables.h"

namespace tessarin::ui::qt {

SystemVarsWindow::SystemVarsWindow(Controller& controller, std::function<void()> changed, QWidget* parent)
    : QDialog(parent), controller_(controller), changed_(std::move(changed)) {
  setWindowTitle(messages::kSystemVarsTitle.data());
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  table_ = new QTableWidget(settings::kSystemVariableCount, 2);
  table_->setHorizontalHeaderLabels({captions::kSystemVariableName, captions::kSystemVariableValue});
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  table_->setColumnWidth(0, 60);
  for (int row = 0; row < settings::kSystemVariableCount; ++row) {
    auto* name = new QTableWidgetItem(QString::fromStdString(SystemVariableName(row)));
    name->setFlags(Qt::ItemIsEnabled);
    table_->setItem(row, 0, name);
    auto* value = new QTableWidgetItem;
    value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table_->setItem(row, 1, value);
  }
  int height = table_->horizontalHeader()->sizeHint().height() +
               settings::kSystemVariableCount * table_->verticalHeader()->defaultSectionSize() + 4;
  table_->setMinimumHeight(height);
  layout->addWidget(table_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
  layout->addWidget(buttons);
  connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (showing_ || item->column() != 1) return;
    controller_.CommitSystemVariable(item->row(), item->text().toStdString());
    ShowValues();
    if (changed_) changed_();
  });
  ShowValues();
  resize(320, sizeHint().height());
}

void SystemVarsWindow::ShowValues() {
  showing_ = true;
  const settings::VIEWPARM& set = controller_.WorkingCopy();
  for (int row = 0; row < settings::kSystemVariableCount; ++row)
    SetCellText(table_, row, 1, QString::fromStdString(SystemVariableText(set, row)));
  showing_ = false;
}

}  // namespace tessarin::ui::qt
