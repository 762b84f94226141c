#pragma once
// The modeless "System variables" dialog: the ten system variables of the
// working copy.

#include <QDialog>
#include <functional>

#include "ui/controller.h"

class QTableWidget;

namespace tessarin::ui::qt {

class SystemVarsWindow : public QDialog {
  Q_OBJECT
 public:
  // `changed` runs after every accepted edit (the main window shows the new
  // command line).
  SystemVarsWindow(Controller& controller, std::function<void()> changed, QWidget* parent = nullptr);
  void ShowValues();

 private:
  Controller& controller_;
  std::function<void()> changed_;
  QTableWidget* table_;
  bool showing_ = false;
};

}  // namespace tessarin::ui::qt
