#pragma once
// The two filtering tabs, "Filtering by transport parameters" and
// "Filtering by particle type". The main window binds them to the
// controller, the Track statistics dialog to its own copies of the settings.

#include <QTabWidget>
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "settings/track_types.h"
#include "ui/track_bound_tables.h"

class QCheckBox;
class QLineEdit;
class QTableWidget;

namespace tessarin::ui::qt {

struct FilteringBinding {
  std::function<std::string(int row)> caption;
  std::function<std::string(int row, BoundColumn column)> boundText;
  std::function<void(int row, BoundColumn column, std::string_view text)> commitBound;
  std::function<bool(int type)> typeIncluded;
  std::function<void(int type, bool included)> setTypeIncluded;
  std::function<std::string(BoundColumn column)> generationText;
  std::function<void(BoundColumn column, std::string_view text)> commitGeneration;
  std::function<void()> changed;  // after every edit, accepted or not
};

// "Secondary particle generations:" with its minimum and maximum fields;
// an edit is committed when the field loses the focus, then `edited` runs.
class GenerationFields : public QWidget {
 public:
  GenerationFields(std::function<std::string(BoundColumn)> text,
                   std::function<void(BoundColumn, std::string_view)> commit, std::function<void()> edited);
  void ShowValues();

 private:
  QLineEdit* Field(BoundColumn column);

  std::function<std::string(BoundColumn)> text_;
  std::function<void(BoundColumn, std::string_view)> commit_;
  std::function<void()> edited_;
  QLineEdit* minimum_ = nullptr;
  QLineEdit* maximum_ = nullptr;
  bool showing_ = false;
};

class FilteringTabs : public QTabWidget {
 public:
  explicit FilteringTabs(FilteringBinding binding, QWidget* parent = nullptr);
  // Shows the bound settings again.
  void ShowSettings();

 private:
  QWidget* BuildTransportPage();
  QWidget* BuildTypePage();

  FilteringBinding binding_;
  QTableWidget* bounds_ = nullptr;
  std::array<QCheckBox*, settings::kTrackTypeCount> types_{};
  GenerationFields* generations_ = nullptr;
  bool showing_ = false;
};

}  // namespace tessarin::ui::qt

namespace tessarin::ui {
class Controller;
}  // namespace tessarin::ui

namespace tessarin::ui::qt {

// The main window's tabs edit the controller's working copy; `changed`
// shows the window's state again.
FilteringBinding ControllerFilteringBinding(Controller& controller, std::function<void()> changed);

// A table of "Bounded parameter", "Minimum", "Maximum" rows whose value
// cells commit on edit; shared by both bound tables.
QTableWidget* MakeBoundTable(int rows, QWidget* parent = nullptr);
void ShowBoundTable(QTableWidget* table, int rows, const std::function<std::string(int)>& caption,
                    const std::function<std::string(int, BoundColumn)>& text);

}  // namespace tessarin::ui::qt
