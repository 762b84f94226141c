#include "ui/qt/event_wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace tessarin::ui::qt {

bool ProcessEventsUntil(const std::function<bool()>& done, int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (done()) return true;
    QThread::msleep(2);
  }
  return false;
}

}  // namespace tessarin::ui::qt
