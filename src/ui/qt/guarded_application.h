#pragma once
// The application object of the desktop program. Every event passes through
// it, so a failure that escapes a command (an exception from deep inside)
// ends that event only: it is reported and the event loop goes on, instead
// of Qt aborting the program with the unsaved changes.

#include <QApplication>
#include <functional>
#include <string_view>

namespace tessarin::ui::qt {

class GuardedApplication final : public QApplication {
 public:
  using FailureHandler = std::function<void(std::string_view what)>;

  GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

  // Shows an escaped failure; without a handler it is written to the log.
  void SetFailureHandler(FailureHandler handler) { failureHandler_ = std::move(handler); }

  // The running one, or null when the application object is a plain one.
  static GuardedApplication* Instance();

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  void Report(std::string_view what);

  FailureHandler failureHandler_;
  bool reporting_ = false;
};

}  // namespace tessarin::ui::qt
