// The main window's track controls: the filtering tabs bound to the
// controller, and the Track statistics dialog.

#include "ui/qt/filtering_tabs.h"
#include "ui/qt/main_window.h"
#include "ui/qt/track_colors_dialog.h"
#include "ui/qt/track_progress_dialog.h"
#include "ui/qt/track_stats_dialog.h"

namespace tessarin::ui::qt {

FilteringBinding ControllerFilteringBinding(Controller& controller, std::function<void()> changed) {
  FilteringBinding binding;
  binding.caption = [&controller](int row) { return TransportBoundCaption(row, controller.Units()); };
  binding.boundText = [&controller](int row, BoundColumn column) { return controller.TransportBoundText(row, column); };
  binding.commitBound = [&controller](int row, BoundColumn column, std::string_view text) {
    controller.CommitTransportBound(row, column, text);
  };
  binding.typeIncluded = [&controller](int type) { return controller.IsTrackTypeIncluded(type); };
  binding.setTypeIncluded = [&controller](int type, bool included) { controller.SetTrackTypeIncluded(type, included); };
  binding.generationText = [&controller](BoundColumn column) { return controller.GenerationText(column); };
  binding.commitGeneration = [&controller](BoundColumn column, std::string_view text) {
    controller.CommitGeneration(column, text);
  };
  binding.changed = std::move(changed);
  return binding;
}

MainWindow::~MainWindow() = default;

void MainWindow::OpenTrackStatistics() {
  CommitFocusedField();
  CTrackStatsDlg dialog(controller_, filteringTabs_->currentIndex(), this);
  if (dialog.exec() == QDialog::Accepted) {
    dialog.Accept();
    filteringTabs_->setCurrentIndex(dialog.FilteringTab());
  }
  ShowState();
}

void MainWindow::OpenTrackColors() {
  CommitFocusedField();
  CTrackColorsDlg dialog(controller_, this);
  dialog.exec();
  ShowState();
}

}  // namespace tessarin::ui::qt
