#include "ui/qt/menu_shortcut_guard.h"

#include <QApplication>
#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>
#include <algorithm>

namespace tessarin::ui::qt {

namespace {

bool IsTextField(const QWidget* widget) {
  return qobject_cast<const QLineEdit*>(widget) != nullptr || qobject_cast<const QTextEdit*>(widget) != nullptr ||
         qobject_cast<const QPlainTextEdit*>(widget) != nullptr ||
         qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
}

bool IsEditingKey(QKeyEvent* key) {
  for (QKeySequence::StandardKey editing :
       {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo,
        QKeySequence::Redo, QKeySequence::Delete, QKeySequence::DeleteEndOfLine, QKeySequence::DeleteStartOfWord,
        QKeySequence::DeleteEndOfWord})
    if (key->matches(editing)) return true;
  return false;
}

}  // namespace

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
  auto* key = static_cast<QKeyEvent*>(event);
  QKeySequence pressed(key->keyCombination());
  if (std::find(shortcuts_.begin(), shortcuts_.end(), pressed) == shortcuts_.end()) return false;
  // A text field keeps its standard editing keys (Ctrl+A selects its text).
  if (IsTextField(widget) && IsEditingKey(key)) return false;
  // Left unaccepted, the override lets the shortcut map run the menu action.
  event->ignore();
  return true;
}

}  // namespace tessarin::ui::qt
