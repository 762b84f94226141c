#include "ui/qt/materials_table.h"

#include <QComboBox>
#include <QHeaderView>
#include <QStyledItemDelegate>

#include "ui/qt/vector_table.h"
#include "ui/qt/qt_text.h"

namespace tessarin::ui::qt {
namespace {

constexpr int kColumn(MaterialColumn column) { return static_cast<int>(column); }

// The Color name cell is edited with a list of the material colour names;
// picking one (or "Custom") goes straight to the controller.
class ColorNameDelegate : public QStyledItemDelegate {
 public:
  ColorNameDelegate(Controller& controller, std::function<void(int)> picked, QObject* parent)
      : QStyledItemDelegate(parent), controller_(controller), picked_(std::move(picked)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
    auto* list = new QComboBox(parent);
    for (const std::string& entry : ColorListEntries(ColorList::Material)) list->addItem(QString::fromStdString(entry));
    // The choice commits at once, like the other colour lists.
    connect(list, &QComboBox::activated, list, [this, list, row = index.row()](int entry) {
      controller_.SelectMaterialColor(row, entry);
      emit const_cast<ColorNameDelegate*>(this)->closeEditor(list);
      picked_(row);
    });
    return list;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    static_cast<QComboBox*>(editor)->setCurrentIndex(controller_.MaterialColorIndex(index.row()));
  }

  void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

 private:
  Controller& controller_;
  std::function<void(int)> picked_;
};

}  // namespace

MaterialsTable::MaterialsTable(Controller& controller, std::function<void()> changed, QWidget* parent)
    : QTableWidget(0, kMaterialColumnCount, parent), controller_(controller), changed_(std::move(changed)) {
  QStringList headers;
  for (int column = 0; column < kMaterialColumnCount; ++column)
    headers << ToQString(MaterialColumnHeader(static_cast<MaterialColumn>(column)));
  setHorizontalHeaderLabels(headers);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  // Room for the header, kVisibleRows rows and a horizontal scroll bar.
  setMinimumHeight(horizontalHeader()->sizeHint().height() +
                   (kVisibleRows + 1) * verticalHeader()->defaultSectionSize() + 2 * frameWidth());
  QHeaderView* header = horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setSectionResizeMode(kColumn(MaterialColumn::Material), QHeaderView::Stretch);
  const std::pair<MaterialColumn, int> widths[] = {
      {MaterialColumn::Number, 46},       {MaterialColumn::Color, 52},        {MaterialColumn::ColorName, 100},
      {MaterialColumn::Red, 44},          {MaterialColumn::Green, 44},        {MaterialColumn::Blue, 44},
      {MaterialColumn::Transparency, 64}, {MaterialColumn::Reflectivity, 56}, {MaterialColumn::Show, 48}};
  for (auto [column, width] : widths) setColumnWidth(kColumn(column), width);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  setItemDelegateForColumn(kColumn(MaterialColumn::ColorName), new ColorNameDelegate(controller_, [this](int row) {
                             ShowRow(row);
                             if (changed_) changed_();
                           }, this));
  connect(this, &QTableWidget::itemChanged, this, &MaterialsTable::CellEdited);
}

void MaterialsTable::CellEdited(QTableWidgetItem* item) {
  if (showing_) return;
  auto column = static_cast<MaterialColumn>(item->column());
  if (column == MaterialColumn::Show)
    controller_.SetMaterialShown(item->row(), item->checkState() == Qt::Checked);
  else if (IsMaterialCellTyped(column))
    controller_.CommitMaterial(item->row(), column, item->text().toStdString());
  ShowRow(item->row());
  if (changed_) changed_();
}

void MaterialsTable::ShowRows() {
  showing_ = true;
  int count = static_cast<int>(ShownMaterialRows(controller_.WorkingCopy().rows));
  if (rowCount() != count) setRowCount(count);
  for (int row = 0; row < count; ++row) ShowRow(row);
  showing_ = false;
}

void MaterialsTable::ShowRow(int row) {
  bool wasShowing = showing_;
  showing_ = true;
  for (int column = 0; column < kMaterialColumnCount; ++column) {
    auto which = static_cast<MaterialColumn>(column);
    if (!item(row, column)) {
      auto* cell = new QTableWidgetItem;
      Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
      if (IsMaterialCellTyped(which) || which == MaterialColumn::ColorName) flags |= Qt::ItemIsEditable;
      if (which == MaterialColumn::Show) flags |= Qt::ItemIsUserCheckable;
      cell->setFlags(flags);
      bool numeric = IsMaterialCellTyped(which) || which == MaterialColumn::Number;
      cell->setTextAlignment((numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
      if (which == MaterialColumn::Show) cell->setTextAlignment(Qt::AlignCenter);
      setItem(row, column, cell);
    }
    SetCellText(this, row, column, QString::fromStdString(controller_.MaterialText(row, which)));
  }
  const settings::REGIONDATA& data = controller_.WorkingCopy().rows[static_cast<std::size_t>(row)];
  item(row, kColumn(MaterialColumn::Color))->setBackground(QColor(data.color.red, data.color.green, data.color.blue));
  std::vector<std::string> names = ColorListEntries(ColorList::Material);
  QString name = QString::fromStdString(names[static_cast<std::size_t>(controller_.MaterialColorIndex(row))]);
  SetCellText(this, row, kColumn(MaterialColumn::ColorName), name);
  Qt::CheckState shown = data.show ? Qt::Checked : Qt::Unchecked;
  QTableWidgetItem* showCell = item(row, kColumn(MaterialColumn::Show));
  if (showCell->checkState() != shown || !showCell->data(Qt::CheckStateRole).isValid()) showCell->setCheckState(shown);
  showing_ = wasShowing;
}

}  // namespace tessarin::ui::qt
