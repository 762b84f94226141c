#include "ui/qt/track_progress_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <exception>
#include <thread>

#include "tracks/messages.h"
#include "tracks/track_reader.h"

namespace tessarin::ui::qt {
namespace {

constexpr int kPollMilliseconds = 50;

// Written by the worker, read by the dialog's timer: single values only.
class SharedProgress : public tracks::ReadingProgress {
 public:
  void Update(double fraction) override {
    fraction_.store(fraction, std::memory_order_relaxed);
    shown_.store(true, std::memory_order_release);
  }
  bool Shown() const { return shown_.load(std::memory_order_acquire); }
  double Fraction() const { return fraction_.load(std::memory_order_relaxed); }

 private:
  std::atomic<double> fraction_{0};
  std::atomic<bool> shown_{false};
};

// Swallows keyboard and mouse input for every window but the dialog while
// a reading runs, so that no command starts in the middle of it.
class InputBlocker : public QObject {
 public:
  explicit InputBlocker(QWidget* allowed) : allowed_(allowed) { qApp->installEventFilter(this); }
  ~InputBlocker() override { qApp->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::Close: {
        // Input reaches a window object first and its widgets after: the
        // dialog's window must let it through, or nothing in it could be used.
        if (auto* window = qobject_cast<QWindow*>(target)) return window != allowed_->windowHandle();
        auto* widget = qobject_cast<QWidget*>(target);
        return !(widget != nullptr && (widget == allowed_ || allowed_->isAncestorOf(widget)));
      }
      default:
        return false;
    }
  }

 private:
  QWidget* allowed_;
};

}  // namespace

CTrackDataFileProgressDlg::CTrackDataFileProgressDlg(QWidget* owner) : QDialog(owner) {
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  bar_ = new QProgressBar;
  bar_->setRange(0, 1000);
  bar_->setTextVisible(false);
  bar_->setMinimumWidth(360);
  layout->addWidget(bar_);
  stop_ = new QPushButton(QString::fromUtf8(tracks::messages::kStopButton.data(),
                                            static_cast<int>(tracks::messages::kStopButton.size())));
  stop_->setAutoDefault(false);
  layout->addWidget(stop_, 0, Qt::AlignHCenter);
  connect(stop_, &QPushButton::clicked, this, &CTrackDataFileProgressDlg::RequestStop);
  ShowProgress(0);
}

void CTrackDataFileProgressDlg::ShowProgress(double fraction) {
  setWindowTitle(QString::fromStdString(tracks::ProgressCaption(fraction)));
  bar_->setValue(tracks::ProgressBarPosition(fraction));
}

void CTrackDataFileProgressDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
  QDialog::keyPressEvent(event);
}

// Closing the dialog asks for Stop; it goes away when the reading has ended.
void CTrackDataFileProgressDlg::closeEvent(QCloseEvent* event) {
  RequestStop();
  event->ignore();
}

void CTrackDataFileProgressDlg::RequestStop() { setProperty("stopRequested", true); }

void CTrackDataFileProgressDlg::ShowInFront() {
  show();
  raise();
  // Without a window manager nothing else gives the dialog the keyboard,
  // and Space would not reach Stop.
  activateWindow();
  stop_->setFocus();
}

void QtTrackReadingRunner::Run(const std::function<void(tracks::ReadingProgress*)>& reading,
                               std::atomic<bool>& stop) {
  SharedProgress progress;
  std::atomic<bool> finished{false};
  CTrackDataFileProgressDlg dialog(owner_);
  InputBlocker blocker(&dialog);
  std::exception_ptr failure;
  std::thread worker([&] {
    // An exception may not leave the thread; it is thrown again below.
    try {
      reading(&progress);
    } catch (...) {
      failure = std::current_exception();
    }
    finished.store(true, std::memory_order_release);
  });
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (dialog.property("stopRequested").toBool()) stop.store(true, std::memory_order_release);
    if (finished.load(std::memory_order_acquire)) {
      loop.quit();
      return;
    }
    if (progress.Shown()) {
      if (!dialog.isVisible()) {
        if (owner_ != nullptr) dialog.move(owner_->window()->geometry().center() - dialog.rect().center());
        dialog.ShowInFront();
      }
      dialog.ShowProgress(progress.Fraction());
    }
  });
  poll.start(kPollMilliseconds);
  loop.exec();
  worker.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace tessarin::ui::qt
