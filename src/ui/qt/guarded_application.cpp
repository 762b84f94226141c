#include "ui/qt/guarded_application.h"

#include <QtGlobal>
#include <exception>
#include <string>

namespace tessarin::ui::qt {

GuardedApplication* GuardedApplication::Instance() {
  return dynamic_cast<GuardedApplication*>(QCoreApplication::instance());
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  std::string what = "unknown exception";
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& failure) {
    what = failure.what();
  } catch (...) {
  }
  Report(what);
  return false;
}

void GuardedApplication::Report(std::string_view what) {
  // The message box runs events of its own; a failure among them is logged
  // rather than stacking up boxes.
  if (!failureHandler_ || reporting_) {
    qCritical("Unexpected failure: %.*s", static_cast<int>(what.size()), what.data());
    return;
  }
  reporting_ = true;
  try {
    failureHandler_(what);
  } catch (...) {
    qCritical("Unexpected failure while reporting one");
  }
  reporting_ = false;
}

}  // namespace tessarin::ui::qt
