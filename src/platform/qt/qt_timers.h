#pragma once
// Timers on the Qt event loop of the calling thread; each tick calls the
// callback with the timer's identifier.

#include <QObject>
#include <functional>
#include <map>

#include "platform/timers.h"

class QTimer;

namespace tessarin::platform::qt {

class QtTimers final : public QObject, public Timers {
  Q_OBJECT

 public:
  using TickCallback = std::function<void(std::uint64_t id)>;
  explicit QtTimers(TickCallback onTick, QObject* parent = nullptr);

  void Start(std::uint64_t id, std::chrono::milliseconds period) override;
  void Stop(std::uint64_t id) override;
  [[nodiscard]] bool IsRunning(std::uint64_t id) const { return timers_.count(id) != 0; }

 private:
  TickCallback onTick_;
  std::map<std::uint64_t, QTimer*> timers_;  // children of this object
};

}  // namespace tessarin::platform::qt
