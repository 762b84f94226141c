#pragma once
// Keeps the mouse wheel from changing lists and spin boxes that do not have
// the focus: in a scrolled window the wheel is meant for the window, and a
// turned colour or parameter-set list would silently edit the set.

#include <QObject>

class QWidget;

namespace tessarin::ui::qt {

class WheelGuard : public QObject {
 public:
  using QObject::QObject;
  // Guards every combo box and spin box below `root` and gives all tooltips
  // below it a display time of 20 seconds.
  static void Install(QWidget* root);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tessarin::ui::qt
