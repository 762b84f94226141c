#include "ui/qt/menu_shortcut_guard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>

namespace tessarin::ui::qt {

MenuShortcutGuard::MenuShortcutGuard(QWidget* window, std::vector<QKeySequence> shortcuts)
    : QObject(window), window_(window), shortcuts_(std::move(shortcuts)) {
  // Editors of table cells are created later, so the whole application is
  // watched rather than the children that exist now.
  qApp->installEventFilter(this);
}

bool MenuShortcutGuard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != window_) return false;
  QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
  if (std::find(shortcuts_.begin(), shortcuts_.end(), pressed) == shortcuts_.end()) return false;
  // Left unaccepted, the override lets the shortcut map run the menu action.
  event->ignore();
  return true;
}

}  // namespace tessarin::ui::qt
