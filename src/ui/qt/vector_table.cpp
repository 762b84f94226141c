#include "ui/qt/vector_table.h"

#include <QHeaderView>

namespace tessarin::ui::qt {

void SetCellText(QTableWidget* table, int row, int column, const QString& text) {
  QTableWidgetItem* item = table->item(row, column);
  if (!item) {
    table->setItem(row, column, new QTableWidgetItem(text));
    return;
  }
  if (item->text() != text) item->setText(text);
}

VectorTable::VectorTable(Controller& controller, VectorField field, std::function<void()> changed, QWidget* parent)
    : QTableWidget(1, 3, parent), controller_(controller), field_(field), changed_(std::move(changed)) {
  setHorizontalHeaderLabels({"X", "Y", "Z"});
  verticalHeader()->hide();
  horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  int height = horizontalHeader()->sizeHint().height() + verticalHeader()->defaultSectionSize() + 2 * frameWidth();
  setFixedHeight(height);
  setMinimumWidth(210);
  for (int column = 0; column < 3; ++column) {
    auto* item = new QTableWidgetItem;
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setItem(0, column, item);
  }
  connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (showing_) return;
    controller_.Commit(field_, item->column(), item->text().toStdString());
    ShowVector();
    if (changed_) changed_();
  });
}

void VectorTable::ShowVector() {
  showing_ = true;
  for (int column = 0; column < 3; ++column)
    SetCellText(this, 0, column, QString::fromStdString(controller_.Text(field_, column)));
  showing_ = false;
}

}  // namespace tessarin::ui::qt
