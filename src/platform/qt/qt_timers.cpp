#include "platform/qt/qt_timers.h"

#include <QTimer>

namespace tessarin::platform::qt {

QtTimers::QtTimers(TickCallback onTick, QObject* parent) : QObject(parent), onTick_(std::move(onTick)) {}

void QtTimers::Start(std::uint64_t id, std::chrono::milliseconds period) {
  QTimer*& timer = timers_[id];
  if (timer == nullptr) {
    timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this, id] {
      if (onTick_) onTick_(id);
    });
  }
  timer->start(period);
}

void QtTimers::Stop(std::uint64_t id) {
  auto found = timers_.find(id);
  if (found == timers_.end()) return;
  // The tick being handled may be the one that stops its own timer.
  found->second->stop();
  found->second->deleteLater();
  timers_.erase(found);
}

}  // namespace tessarin::platform::qt
