#pragma once
// The Track types and colors dialog: per particle type whether it is drawn
// (the same bit as the type's check box) and its colour, and the secondary
// generations. Every change goes to the working copy at once.

#include <QDialog>

#include "ui/controller.h"

class QTableWidget;

namespace tessarin::ui::qt {

class GenerationFields;

class CTrackColorsDlg : public QDialog {
 public:
  explicit CTrackColorsDlg(Controller& controller, QWidget* parent = nullptr);

 private:
  void ShowTypes();

  Controller& controller_;
  QTableWidget* table_ = nullptr;
  GenerationFields* generations_ = nullptr;
  bool showing_ = false;
};

}  // namespace tessarin::ui::qt
