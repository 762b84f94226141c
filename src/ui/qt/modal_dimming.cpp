#include "ui/qt/modal_dimming.h"

#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>

namespace tessarin::ui::qt {

ModalDimming::ModalDimming(QMainWindow* window) : QObject(window), window_(window) {
  window->installEventFilter(this);
}

bool ModalDimming::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_) return false;
  if (event->type() == QEvent::WindowBlocked && dimmed_.empty()) {
    // A part that is already disabled (during a read) is left to its owner.
    for (QWidget* part : {window_->centralWidget(), static_cast<QWidget*>(window_->menuBar())}) {
      if (part == nullptr || !part->isEnabled()) continue;
      part->setEnabled(false);
      dimmed_.emplace_back(part);
    }
  } else if (event->type() == QEvent::WindowUnblocked) {
    for (const QPointer<QWidget>& part : dimmed_)
      if (part) part->setEnabled(true);
    dimmed_.clear();
  }
  return false;
}

}  // namespace tessarin::ui::qt
