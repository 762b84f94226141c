#include "ui/qt/track_colors_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "tracks/messages.h"
#include "ui/color_lists.h"
#include "ui/qt/filtering_tabs.h"
#include "ui/track_messages.h"

namespace tessarin::ui::qt {
namespace {

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

enum Column { kNumber, kType, kInclude, kSwatch, kColorName, kRed, kGreen, kBlue, kColumns };

}  // namespace

CTrackColorsDlg::CTrackColorsDlg(Controller& controller, QWidget* parent) : QDialog(parent), controller_(controller) {
  setWindowTitle(ToQString(messages::kTrackColorsCaption));
  auto* layout = new QVBoxLayout(this);
  table_ = new QTableWidget(settings::kTrackTypeCount, kColumns);
  QStringList headers;
  for (std::string_view header : messages::kTrackColorsColumns) headers << ToQString(header);
  table_->setHorizontalHeaderLabels(headers);
  table_->verticalHeader()->setVisible(false);
  const std::vector<std::string> names = ColorListEntries(ColorList::Background);
  for (int type = 0; type < settings::kTrackTypeCount; ++type) {
    auto* number = new QTableWidgetItem(QString::number(type));
    number->setFlags(Qt::ItemIsEnabled);
    table_->setItem(type, kNumber, number);
    auto* caption = new QTableWidgetItem(ToQString(tracks::messages::kTrackTypeCaptions[static_cast<std::size_t>(type)]));
    caption->setFlags(Qt::ItemIsEnabled);
    table_->setItem(type, kType, caption);
    auto* include = new QTableWidgetItem;
    include->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    table_->setItem(type, kInclude, include);
    auto* swatch = new QTableWidgetItem;
    swatch->setFlags(Qt::ItemIsEnabled);
    table_->setItem(type, kSwatch, swatch);
    auto* list = new QComboBox;
    for (const std::string& name : names) list->addItem(QString::fromStdString(name));
    connect(list, &QComboBox::activated, this, [this, type](int entry) {
      controller_.SelectTrackColor(type, entry);
      ShowTypes();
    });
    table_->setCellWidget(type, kColorName, list);
    for (int column = kRed; column <= kBlue; ++column) table_->setItem(type, column, new QTableWidgetItem);
  }
  connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (showing_) return;
    if (item->column() == kInclude)
      controller_.SetTrackTypeIncluded(item->row(), item->checkState() == Qt::Checked);
    else if (item->column() >= kRed)
      controller_.CommitTrackColorComponent(item->row(), item->column() - kRed, item->text().toStdString());
    ShowTypes();
  });
  table_->horizontalHeader()->setSectionResizeMode(kType, QHeaderView::ResizeToContents);
  const int widths[kColumns] = {40, 0, 60, 60, 110, 48, 48, 48};
  for (int column = 0; column < kColumns; ++column)
    if (widths[column] > 0) table_->setColumnWidth(column, widths[column]);
  table_->setMinimumSize(980, table_->verticalHeader()->defaultSectionSize() * 13 + 8);
  layout->addWidget(table_);
  generations_ = new GenerationFields(
      [this](BoundColumn column) { return controller_.GenerationText(column); },
      [this](BoundColumn column, std::string_view text) { controller_.CommitGeneration(column, text); },
      [this] { ShowTypes(); });
  layout->addWidget(generations_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  ShowTypes();
}

void CTrackColorsDlg::ShowTypes() {
  showing_ = true;
  const settings::VIEWPARM& set = controller_.WorkingCopy();
  for (int type = 0; type < settings::kTrackTypeCount; ++type) {
    const settings::ColorEntry& color = set.trackColorRGB[static_cast<std::size_t>(type)];
    table_->item(type, kInclude)->setCheckState(controller_.IsTrackTypeIncluded(type) ? Qt::Checked : Qt::Unchecked);
    table_->item(type, kSwatch)->setBackground(QColor(color.red, color.green, color.blue));
    static_cast<QComboBox*>(table_->cellWidget(type, kColorName))->setCurrentIndex(controller_.TrackColorIndex(type));
    table_->item(type, kRed)->setText(QString::number(color.red));
    table_->item(type, kGreen)->setText(QString::number(color.green));
    table_->item(type, kBlue)->setText(QString::number(color.blue));
  }
  generations_->ShowValues();
  showing_ = false;
}

}  // namespace tessarin::ui::qt
