#pragma once
// A one-row table of the three components of a vector of the working copy.

#include <QTableWidget>
#include <functional>

#include "ui/controller.h"

namespace tessarin::ui::qt {

class VectorTable : public QTableWidget {
  Q_OBJECT
 public:
  // `changed` runs after every edit, so the window can show the state again.
  VectorTable(Controller& controller, VectorField field, std::function<void()> changed, QWidget* parent = nullptr);
  void ShowVector();

 private:
  Controller& controller_;
  VectorField field_;
  std::function<void()> changed_;
  bool showing_ = false;
};

// Cell texts are set only when they differ, so that an edit in progress and
// the selection survive a refresh.
void SetCellText(QTableWidget* table, int row, int column, const QString& text);

}  // namespace tessarin::ui::qt
