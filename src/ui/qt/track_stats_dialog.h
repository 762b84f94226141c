#pragma once
// The Track statistics dialog: the statistics of the last reading, its own
// copies of the filtering and segment settings, "Refresh statistics", and
// OK to make the copies the set's.

#include <QDialog>

#include "settings/viewparm.h"
#include "tracks/track_statistics.h"
#include "ui/controller.h"
#include "ui/qt/filtering_tabs.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QTableWidget;

namespace tessarin::ui::qt {

class FilteringTabs;

class CTrackStatsDlg : public QDialog {
 public:
  CTrackStatsDlg(Controller& controller, int filteringTab, QWidget* parent = nullptr);
  int FilteringTab() const;
  // The size that shows everything, kept within a screen of `available`
  // size (the window's frame included); what does not fit scrolls.
  void FitTo(QSize available);
  // OK: the dialog's settings go to the set.
  void Accept();

 private:
  QWidget* BuildStatisticsTable();
  QWidget* BuildSegmentTable();
  QWidget* BuildCountsAndOptions();
  FilteringBinding DialogBinding();
  [[nodiscard]] bool MayChange() { return controller_.MayChangeTrackFiltering(); }
  void MarkOutOfDate();
  void Refresh();
  void DefaultFiltering();
  void ShowStatistics();
  void ShowSettings();
  DisplayUnits Units() const { return controller_.Units(); }

  Controller& controller_;
  settings::TrackFilter filter_;
  settings::SegmentFilter segments_;
  bool filterFirst_ = true;
  DisplayUnits unitsAtOpening_;
  tracks::TrackStatistics statistics_;
  bool outOfDate_ = false;
  bool showing_ = false;

  QWidget* content_ = nullptr;  // everything above the buttons, in a scroll area
  QWidget* buttons_ = nullptr;
  QTableWidget* table_ = nullptr;
  std::array<QLabel*, 4> counts_{};
  FilteringTabs* tabs_ = nullptr;
  QTableWidget* segmentTable_ = nullptr;
  QButtonGroup* order_ = nullptr;
  QComboBox* energyUnit_ = nullptr;
  QComboBox* distanceUnit_ = nullptr;
};

}  // namespace tessarin::ui::qt
