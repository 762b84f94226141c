#include "ui/qt/filtering_tabs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "tracks/messages.h"
#include "ui/track_messages.h"

namespace tessarin::ui::qt {
namespace {

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

BoundColumn ColumnOf(int column) { return column == 1 ? BoundColumn::Minimum : BoundColumn::Maximum; }

}  // namespace

QTableWidget* MakeBoundTable(int rows, QWidget* parent) {
  auto* table = new QTableWidget(rows, 3, parent);
  QStringList headers;
  for (std::string_view header : messages::kBoundColumns) headers << ToQString(header);
  table->setHorizontalHeaderLabels(headers);
  table->verticalHeader()->setVisible(false);
  table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  for (int row = 0; row < rows; ++row) {
    auto* caption = new QTableWidgetItem;
    caption->setFlags(Qt::ItemIsEnabled);
    table->setItem(row, 0, caption);
    table->setItem(row, 1, new QTableWidgetItem);
    auto* maximum = new QTableWidgetItem;
    maximum->setToolTip(ToQString(messages::kNoBound));
    table->setItem(row, 2, maximum);
  }
  return table;
}

void ShowBoundTable(QTableWidget* table, int rows, const std::function<std::string(int)>& caption,
                    const std::function<std::string(int, BoundColumn)>& text) {
  const QSignalBlocker blocker(table);
  for (int row = 0; row < rows; ++row) {
    table->item(row, 0)->setText(QString::fromStdString(caption(row)));
    table->item(row, 1)->setText(QString::fromStdString(text(row, BoundColumn::Minimum)));
    table->item(row, 2)->setText(QString::fromStdString(text(row, BoundColumn::Maximum)));
  }
  table->resizeColumnToContents(1);
  table->resizeColumnToContents(2);
}

FilteringTabs::FilteringTabs(FilteringBinding binding, QWidget* parent)
    : QTabWidget(parent), binding_(std::move(binding)) {
  addTab(BuildTransportPage(), ToQString(messages::kFilteringByTransport));
  addTab(BuildTypePage(), ToQString(messages::kFilteringByParticleType));
  ShowSettings();
}

QWidget* FilteringTabs::BuildTransportPage() {
  bounds_ = MakeBoundTable(kTransportBoundRows);
  bounds_->setMinimumHeight(200);
  connect(bounds_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (showing_ || item->column() == 0) return;
    binding_.commitBound(item->row(), ColumnOf(item->column()), item->text().toStdString());
    ShowSettings();  // a rejected entry shows the previous value again
    if (binding_.changed) binding_.changed();
  });
  return bounds_;
}

GenerationFields::GenerationFields(std::function<std::string(BoundColumn)> text,
                                   std::function<void(BoundColumn, std::string_view)> commit,
                                   std::function<void()> edited)
    : text_(std::move(text)), commit_(std::move(commit)), edited_(std::move(edited)) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  minimum_ = Field(BoundColumn::Minimum);
  maximum_ = Field(BoundColumn::Maximum);
  row->addWidget(new QLabel(ToQString(messages::kGenerations)));
  row->addWidget(minimum_);
  row->addWidget(new QLabel("-"));
  row->addWidget(maximum_);
  row->addStretch(1);
  ShowValues();
}

QLineEdit* GenerationFields::Field(BoundColumn column) {
  auto* field = new QLineEdit;
  // Wide enough for the "no bound" placeholder (frame and text margins included).
  constexpr int kFieldMargins = 24;
  field->setFixedWidth(
      std::max(60, field->fontMetrics().horizontalAdvance(ToQString(messages::kNoBound)) + kFieldMargins));
  if (column == BoundColumn::Maximum) field->setPlaceholderText(ToQString(messages::kNoBound));
  connect(field, &QLineEdit::editingFinished, this, [this, field, column] {
    if (showing_) return;
    commit_(column, field->text().toStdString());
    ShowValues();  // a rejected entry shows the previous value again
    if (edited_) edited_();
  });
  return field;
}

void GenerationFields::ShowValues() {
  showing_ = true;
  minimum_->setText(QString::fromStdString(text_(BoundColumn::Minimum)));
  maximum_->setText(QString::fromStdString(text_(BoundColumn::Maximum)));
  showing_ = false;
}

QWidget* FilteringTabs::BuildTypePage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  for (int type = 0; type < settings::kTrackTypeCount; ++type) {
    auto* box = new QCheckBox(ToQString(tracks::messages::kTrackTypeCheckBoxCaptions[static_cast<std::size_t>(type)]));
    connect(box, &QCheckBox::toggled, this, [this, type](bool on) {
      if (showing_) return;
      binding_.setTypeIncluded(type, on);
      ShowSettings();
      if (binding_.changed) binding_.changed();
    });
    types_[static_cast<std::size_t>(type)] = box;
    grid->addWidget(box, type % 6, type / 6);
  }
  generations_ = new GenerationFields(binding_.generationText, binding_.commitGeneration, [this] {
    ShowSettings();
    if (binding_.changed) binding_.changed();
  });
  grid->addWidget(generations_, 6, 0, 1, 2);
  return page;
}

void FilteringTabs::ShowSettings() {
  showing_ = true;
  ShowBoundTable(bounds_, kTransportBoundRows, binding_.caption, binding_.boundText);
  for (int type = 0; type < settings::kTrackTypeCount; ++type)
    types_[static_cast<std::size_t>(type)]->setChecked(binding_.typeIncluded(type));
  generations_->ShowValues();
  showing_ = false;
}

}  // namespace tessarin::ui::qt
