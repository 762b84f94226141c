#pragma once
// Keeps the menu accelerators of a window ahead of its edit fields: a line
// edit would otherwise take Ctrl+A as "select all" (and an item editor of a
// table likewise), so Save as could not be reached while a field has the
// focus, which is nearly always.

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
