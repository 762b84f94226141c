#pragma once
// Makes the main window look as unavailable as it is while a modal dialog
// or message box is up: its controls and menus are shown disabled, and the
// ones that were enabled come back when the dialog closes.

#include <QObject>
#include <QPointer>
#include <vector>

class QMainWindow;
class QWidget;

namespace tessarin::ui::qt {

class ModalDimming : public QObject {
 public:
  // Watches `window`; owned by it.
  explicit ModalDimming(QMainWindow* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QMainWindow* window_;
  std::vector<QPointer<QWidget>> dimmed_;
};

}  // namespace tessarin::ui::qt
