#pragma once
// Runs a track reading on a worker thread behind the progress dialog
// ("Reading the track data file (0.00 %)", a bar and "Stop"). The dialog
// appears only once the reading reports progress, after a second; until
// then the windows keep painting but take no input.

#include <QDialog>
#include <atomic>

#include "ui/track_reading_runner.h"

class QProgressBar;
class QPushButton;

namespace tessarin::ui::qt {

class CTrackDataFileProgressDlg : public QDialog {
 public:
  explicit CTrackDataFileProgressDlg(QWidget* owner);
  void ShowProgress(double fraction);
  // Shows the dialog in front with the keyboard on Stop.
  void ShowInFront();

 protected:
  void keyPressEvent(QKeyEvent* event) override;  // Enter and Escape do nothing
  void closeEvent(QCloseEvent* event) override;  // asks for Stop

 private:
  void RequestStop();

  QProgressBar* bar_ = nullptr;
  QPushButton* stop_ = nullptr;
};

class QtTrackReadingRunner : public TrackReadingRunner {
 public:
  explicit QtTrackReadingRunner(QWidget* owner) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }
  void Run(const std::function<void(tracks::ReadingProgress*)>& reading, std::atomic<bool>& stop) override;

 private:
  QWidget* owner_;
};

}  // namespace tessarin::ui::qt
