#include "ui/qt/wheel_guard.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QWidget>

namespace tessarin::ui::qt {

namespace {
constexpr int kToolTipMilliseconds = 20000;
}

void WheelGuard::Install(QWidget* root) {
  auto* guard = new WheelGuard(root);
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    if (!widget->toolTip().isEmpty()) widget->setToolTipDuration(kToolTipMilliseconds);
    if (qobject_cast<QComboBox*>(widget) || qobject_cast<QAbstractSpinBox*>(widget)) {
      widget->setFocusPolicy(Qt::StrongFocus);
      widget->installEventFilter(guard);
    }
  }
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && !widget->hasFocus()) {
      event->ignore();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tessarin::ui::qt
