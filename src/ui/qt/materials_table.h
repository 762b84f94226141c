#pragma once
// The Materials table: one row per material row of the working copy, with a
// colour swatch, a colour-name list, the colour components, transparency,
// reflectivity and a "Show" check box.

#include <QTableWidget>
#include <functional>

#include "ui/controller.h"

namespace tessarin::ui::qt {

class MaterialsTable : public QTableWidget {
  Q_OBJECT
 public:
  // At least this many rows are always in sight, even on a small screen.
  static constexpr int kVisibleRows = 10;

  MaterialsTable(Controller& controller, std::function<void()> changed, QWidget* parent = nullptr);
  void ShowRows();

 private:
  void ShowRow(int row);
  void CellEdited(QTableWidgetItem* item);

  Controller& controller_;
  std::function<void()> changed_;
  bool showing_ = false;
};

}  // namespace tessarin::ui::qt
