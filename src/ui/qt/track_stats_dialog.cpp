#include "ui/qt/track_stats_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "settings/units.h"
#include "tracks/messages.h"
#include "tracks/statistics_table.h"
#include "ui/track_messages.h"

namespace tessarin::ui::qt {
namespace {

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

BoundColumn ColumnOf(int column) { return column == 1 ? BoundColumn::Minimum : BoundColumn::Maximum; }

// A table that asks for the room of all its rows but makes do with a few,
// scrolling the rest.
class WholeTable final : public QTableWidget {
 public:
  WholeTable(int rows, int columns, int rowsAtLeast) : QTableWidget(rows, columns), rowsAtLeast_(rowsAtLeast) {
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  }
  QSize sizeHint() const override { return {QTableWidget::sizeHint().width(), HeightFor(rowCount())}; }
  QSize minimumSizeHint() const override {
    return {QTableWidget::minimumSizeHint().width(), HeightFor(std::min(rowsAtLeast_, rowCount()))};
  }

 private:
  int HeightFor(int rows) const {
    return horizontalHeader()->sizeHint().height() + rows * verticalHeader()->defaultSectionSize() + 2 * frameWidth();
  }
  int rowsAtLeast_;
};

// Room for the window's frame and title bar around the dialog.
constexpr QSize kFrame{16, 48};

}  // namespace

CTrackStatsDlg::CTrackStatsDlg(Controller& controller, int filteringTab, QWidget* parent)
    : QDialog(parent),
      controller_(controller),
      filter_(controller.WorkingCopy().filter),
      segments_(controller.WorkingCopy().segments),
      filterFirst_(controller.WorkingCopy().trackFilteringBeforeSegmentSelection != 0),
      unitsAtOpening_(controller.Units()),
      statistics_(controller.LastTrackStatistics()) {
  setWindowTitle(ToQString(tracks::messages::kStatisticsDialogCaption));
  // The statistics with their counts and options beside them, the filtering
  // and the segment selection below: side by side they fit a 1280 x 800
  // screen. A smaller window scrolls instead of squeezing the controls.
  content_ = new QWidget;
  auto* grid = new QGridLayout(content_);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(new QLabel(ToQString(tracks::messages::kStatisticsHeading)), 0, 0, 1, 2);
  grid->addWidget(BuildStatisticsTable(), 1, 0);
  grid->addWidget(BuildCountsAndOptions(), 1, 1);
  tabs_ = new FilteringTabs(DialogBinding());
  tabs_->setCurrentIndex(filteringTab);
  grid->addWidget(tabs_, 2, 0);
  grid->addWidget(BuildSegmentTable(), 2, 1);
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(1, 1);
  auto* scroll = new QScrollArea;
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidget(content_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QPushButton* refresh = buttons->addButton(ToQString(messages::kRefreshStatistics), QDialogButtonBox::ActionRole);
  QPushButton* defaults =
      buttons->addButton(ToQString(messages::kDefaultFilteringWithoutSegments), QDialogButtonBox::ActionRole);
  connect(refresh, &QPushButton::clicked, this, [this] { Refresh(); });
  connect(defaults, &QPushButton::clicked, this, [this] { DefaultFiltering(); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  buttons_ = buttons;
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scroll, 1);
  layout->addWidget(buttons);
  ShowSettings();
  ShowStatistics();
  QScreen* shown =
      parent != nullptr && parent->screen() != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
  FitTo(shown != nullptr ? shown->availableGeometry().size() : QSize(1280, 800));
}

int CTrackStatsDlg::FilteringTab() const { return tabs_->currentIndex(); }

void CTrackStatsDlg::FitTo(QSize available) {
  const QMargins margins = layout()->contentsMargins();
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  QSize wanted = content_->sizeHint();
  wanted.rheight() += buttons_->sizeHint().height() + layout()->spacing();
  wanted += QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
  const QSize limit = available - kFrame;
  // A scroll bar takes room from the other direction.
  if (wanted.height() > limit.height()) wanted.rwidth() += scrollBar;
  if (wanted.width() > limit.width()) wanted.rheight() += scrollBar;
  resize(wanted.boundedTo(limit));
}

QWidget* CTrackStatsDlg::BuildStatisticsTable() {
  constexpr int kRowsAtLeast = 6;
  table_ = new WholeTable(tracks::messages::kStatisticRowCount, 5, kRowsAtLeast);
  QStringList headers;
  for (std::string_view header : tracks::messages::kStatisticColumns) headers << ToQString(header);
  table_->setHorizontalHeaderLabels(headers);
  table_->horizontalHeaderItem(4)->setToolTip(ToQString(messages::kStdDevTip));
  table_->verticalHeader()->setVisible(false);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setStretchLastSection(true);
  for (int row = 0; row < tracks::messages::kStatisticRowCount; ++row)
    for (int column = 0; column < 5; ++column) {
      auto* item = new QTableWidgetItem;
      if (column > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (column == 4) item->setToolTip(ToQString(messages::kStdDevTip));
      table_->setItem(row, column, item);
    }
  table_->setMinimumWidth(560);
  return table_;
}

QWidget* CTrackStatsDlg::BuildSegmentTable() {
  segmentTable_ = MakeBoundTable(kSegmentBoundRows);
  segmentTable_->setToolTip(ToQString(messages::kSegmentSelectionTip));
  segmentTable_->verticalHeader()->setDefaultSectionSize(segmentTable_->fontMetrics().height() + 8);
  segmentTable_->setFixedHeight(segmentTable_->horizontalHeader()->sizeHint().height() +
                                kSegmentBoundRows * segmentTable_->verticalHeader()->defaultSectionSize() +
                                2 * segmentTable_->frameWidth());
  connect(segmentTable_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (showing_ || item->column() == 0) return;
    if (MayChange() && CommitSegmentBound(segments_, item->row(), ColumnOf(item->column()),
                                          item->text().toStdString(), Units()) == BoundEdit::Changed)
      MarkOutOfDate();
    ShowSettings();
  });
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(ToQString(messages::kSegmentSelection)));
  layout->addWidget(segmentTable_);
  layout->addStretch(1);
  return box;
}

QWidget* CTrackStatsDlg::BuildCountsAndOptions() {
  auto* box = new QWidget;
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  int row = 0;
  for (std::size_t i = 0; i < counts_.size(); ++i, ++row) {
    grid->addWidget(new QLabel(ToQString(tracks::messages::kCountCaptions[i])), row, 0);
    counts_[i] = new QLabel;
    counts_[i]->setMinimumWidth(60);
    grid->addWidget(counts_[i], row, 1);
  }
  grid->setRowMinimumHeight(row++, 12);
  order_ = new QButtonGroup(this);
  auto* first = new QRadioButton(ToQString(messages::kFilterFirst));
  auto* second = new QRadioButton(ToQString(messages::kSegmentFirst));
  order_->addButton(first, 1);
  order_->addButton(second, 0);
  connect(order_, &QButtonGroup::idClicked, this, [this](int id) {
    if (showing_) return;
    if (MayChange() && filterFirst_ != (id == 1)) {
      filterFirst_ = id == 1;
      if (segments_ != settings::SegmentFilter{}) MarkOutOfDate();
    }
    ShowSettings();
  });
  grid->addWidget(first, row++, 0, 1, 2);
  grid->addWidget(second, row++, 0, 1, 2);
  auto* keep = new QCheckBox(ToQString(messages::kKeepTrackData));
  keep->setChecked(controller_.WorkingCopy().keepTrackDataInMemory != 0);
  connect(keep, &QCheckBox::toggled, this,
          [this](bool on) { controller_.SetState(CheckField::KeepTrackDataInMemory, on ? 1 : 0); });
  grid->addWidget(keep, row++, 0, 1, 2);
  energyUnit_ = new QComboBox;
  for (const settings::StatisticsUnit& unit : settings::kEnergyUnits) energyUnit_->addItem(ToQString(unit.name));
  distanceUnit_ = new QComboBox;
  for (const settings::StatisticsUnit& unit : settings::kDistanceUnits) distanceUnit_->addItem(ToQString(unit.name));
  // Units change the set at once and need no new reading.
  auto unitChanged = [this] {
    if (showing_) return;
    settings::VIEWPARM& set = controller_.EditWorkingCopy();
    set.unitEnergy = energyUnit_->currentIndex();
    set.unitDistance = distanceUnit_->currentIndex();
    ShowSettings();
    ShowStatistics();
  };
  connect(energyUnit_, &QComboBox::currentIndexChanged, this, unitChanged);
  connect(distanceUnit_, &QComboBox::currentIndexChanged, this, unitChanged);
  grid->addWidget(new QLabel(ToQString(messages::kUnitOfEnergy)), row, 0);
  grid->addWidget(energyUnit_, row++, 1);
  grid->addWidget(new QLabel(ToQString(messages::kUnitOfDistance)), row, 0);
  grid->addWidget(distanceUnit_, row++, 1);
  grid->setRowStretch(row, 1);
  return box;
}

FilteringBinding CTrackStatsDlg::DialogBinding() {
  FilteringBinding binding;
  binding.caption = [this](int row) { return TransportBoundCaption(row, Units()); };
  binding.boundText = [this](int row, BoundColumn column) {
    return TransportBoundText(filter_, row, column, Units());
  };
  binding.commitBound = [this](int row, BoundColumn column, std::string_view text) {
    if (MayChange() && CommitTransportBound(filter_, row, column, text, Units()) == BoundEdit::Changed)
      MarkOutOfDate();
  };
  binding.typeIncluded = [this](int type) { return ((filter_.originTypeMask >> type) & 1) != 0; };
  binding.setTypeIncluded = [this](int type, bool included) {
    if (MayChange() && SetTrackTypeIncluded(filter_, type, included)) MarkOutOfDate();
  };
  binding.generationText = [this](BoundColumn column) { return GenerationText(filter_, column); };
  binding.commitGeneration = [this](BoundColumn column, std::string_view text) {
    if (MayChange() && CommitGeneration(filter_, column, text) == BoundEdit::Changed) MarkOutOfDate();
  };
  return binding;
}

void CTrackStatsDlg::MarkOutOfDate() {
  outOfDate_ = true;
  ShowStatistics();
}

void CTrackStatsDlg::Refresh() {
  controller_.ReadTracksForStatistics(filter_, segments_, filterFirst_, statistics_);
  outOfDate_ = false;
  ShowStatistics();
}

void CTrackStatsDlg::DefaultFiltering() {
  if (!MayChange()) return;
  if (filter_ != settings::TrackFilter{} || segments_ != settings::SegmentFilter{}) MarkOutOfDate();
  filter_ = {};
  segments_ = {};
  filterFirst_ = true;
  ShowSettings();
}

void CTrackStatsDlg::ShowSettings() {
  showing_ = true;
  tabs_->ShowSettings();
  ShowBoundTable(
      segmentTable_, kSegmentBoundRows, [this](int row) { return SegmentBoundCaption(row, Units()); },
      [this](int row, BoundColumn column) { return SegmentBoundText(segments_, row, column, Units()); });
  order_->button(filterFirst_ ? 1 : 0)->setChecked(true);
  energyUnit_->setCurrentIndex(controller_.WorkingCopy().unitEnergy);
  distanceUnit_->setCurrentIndex(controller_.WorkingCopy().unitDistance);
  showing_ = false;
}

void CTrackStatsDlg::ShowStatistics() {
  const tracks::StatisticsTable table =
      tracks::MakeStatisticsTable(statistics_, Units().energy, Units().distance, &segments_);
  for (int row = 0; row < tracks::messages::kStatisticRowCount; ++row) {
    const tracks::StatisticsTableRow& shown = table[static_cast<std::size_t>(row)];
    table_->item(row, 0)->setText(QString::fromStdString(shown.caption));
    for (const tracks::StatisticColumn& column : tracks::kStatisticValueColumns)
      table_->item(row, static_cast<int>(column.heading))
          ->setText(QString::fromStdString(tracks::StatisticCell(shown, column)));
  }
  const int values[] = {statistics_.histories, statistics_.tracks, statistics_.escapeTracks,
                        statistics_.truncatedTracks};
  for (std::size_t i = 0; i < counts_.size(); ++i)
    counts_[i]->setText(QString::number(values[i]) + (outOfDate_ ? ToQString(messages::kOutOfDateMark) : ""));
}

void CTrackStatsDlg::Accept() {
  controller_.AcceptTrackStatisticsSettings(filter_, segments_, filterFirst_, unitsAtOpening_);
}

}  // namespace tessarin::ui::qt
