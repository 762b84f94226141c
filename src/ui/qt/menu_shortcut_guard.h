#pragma once
// Keeps the menu accelerators of a window ahead of the keys its widgets
// would otherwise take for themselves, so that a menu command can be
// reached while a field has the focus, which is nearly always. A text
// field keeps its standard editing keys all the same: in one, Ctrl+A
// selects the text rather than running Save as.

#include <QKeySequence>
#include <QObject>
#include <vector>

class QWidget;

namespace tessarin::ui::qt {

class MenuShortcutGuard : public QObject {
 public:
  // Watches the key events of every widget in `window`'s own window.
  MenuShortcutGuard(QWidget* window, std::vector<QKeySequence> shortcuts);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  std::vector<QKeySequence> shortcuts_;
};

}  // namespace tessarin::ui::qt
