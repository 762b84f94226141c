#include "ui/qt/fault_list_panel.h"

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/qt/geometry_view_captions.h"
#include "ui/qt/qt_text.h"

namespace tessarin::ui::qt {

namespace {

constexpr int kPollMilliseconds = 100;
constexpr int kProgressSteps = 1000;

}  // namespace

FaultListPanel::FaultListPanel(QWidget* parent) : QWidget(parent) {
  find_ = new QPushButton(captions::kFindFaults);
  find_->setToolTip(captions::kTipFindFaults);
  progress_ = new QProgressBar;
  progress_->setRange(0, kProgressSteps);
  progress_->setVisible(false);
  summary_ = new QLabel;
  summary_->setWordWrap(true);
  list_ = new QListWidget;
  list_->setWordWrap(true);
  list_->setToolTip(captions::kTipFaultList);
  poll_ = new QTimer(this);
  poll_->setInterval(kPollMilliseconds);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(find_);
  layout->addWidget(progress_);
  layout->addWidget(summary_);
  layout->addWidget(list_, 1);

  connect(find_, &QPushButton::clicked, this, [this] {
    if (job_)
      job_->Stop();
    else if (searchWanted)
      searchWanted();
  });
  connect(poll_, &QTimer::timeout, this, [this] {
    if (job_) progress_->setValue(static_cast<int>(job_->Progress() * kProgressSteps));
  });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { Choose(row); });
  connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { Choose(list_->row(item)); });
}

FaultListPanel::~FaultListPanel() = default;

void FaultListPanel::Search(std::shared_ptr<const GeometryViewScene> scene, const preview::Box3& wanted) {
  Clear();
  find_->setText(captions::kStopSearch);
  progress_->setValue(0);
  progress_->setVisible(true);
  summary_->setText(captions::kSearching);
  poll_->start();
  const int generation = ++generation_;
  job_ = std::make_unique<FaultSearchJob>(std::move(scene), wanted, [this, generation](FaultReport report) {
    QMetaObject::invokeMethod(
        this,
        [this, generation, report = std::move(report)]() mutable {
          if (generation == generation_) Finished(std::move(report));
        },
        Qt::QueuedConnection);
  });
}

void FaultListPanel::Clear() {
  ++generation_;  // a report queued meanwhile is dropped
  job_.reset();   // stops and waits
  poll_->stop();
  progress_->setVisible(false);
  find_->setText(captions::kFindFaults);
  report_ = {};
  ShowReport();
}

void FaultListPanel::Finished(FaultReport report) {
  job_.reset();
  poll_->stop();
  progress_->setVisible(false);
  find_->setText(captions::kFindFaults);
  report_ = std::move(report);
  ShowReport();
}

void FaultListPanel::ShowReport() {
  list_->blockSignals(true);
  list_->clear();
  for (const FaultRow& row : report_.rows) {
    auto* item = new QListWidgetItem(ToQString(row.text));
    item->setForeground(row.overlap ? QColor(170, 0, 0) : QColor(150, 0, 150));
    list_->addItem(item);
  }
  list_->blockSignals(false);
  summary_->setText(ToQString(report_.summary));
}

void FaultListPanel::Choose(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= report_.rows.size()) return;
  if (list_->currentRow() != row) {
    list_->blockSignals(true);
    list_->setCurrentRow(row);
    list_->blockSignals(false);
  }
  if (chosen) chosen(report_.rows[static_cast<std::size_t>(row)]);
}

}  // namespace tessarin::ui::qt
