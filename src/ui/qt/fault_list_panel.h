#pragma once
// "Find faults": a button that searches the shown model for overlaps and
// undefined regions off the user-interface thread (pressed again, it stops
// the search), its progress, and the list of what it found. Choosing a row
// hands its fault to the window, which shows it.

#include <QWidget>
#include <functional>
#include <memory>

#include "ui/fault_list.h"
#include "ui/fault_search_job.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;

namespace tessarin::ui::qt {

class FaultListPanel : public QWidget {
  Q_OBJECT
 public:
  explicit FaultListPanel(QWidget* parent = nullptr);
  ~FaultListPanel() override;

  // Asked for when the button starts a search: the window calls Search.
  std::function<void()> searchWanted;
  // A row was chosen.
  std::function<void(const FaultRow&)> chosen;

  // Searches the part of `wanted` where the scene's cells are.
  void Search(std::shared_ptr<const GeometryViewScene> scene, const preview::Box3& wanted);
  // Forgets the list (the model changed); stops a search.
  void Clear();
  [[nodiscard]] bool Searching() const { return job_ != nullptr; }
  const FaultReport& Report() const { return report_; }
  // Chooses row `row` as a click would.
  void Choose(int row);

 private:
  void Finished(FaultReport report);
  void ShowReport();

  QPushButton* find_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* summary_ = nullptr;
  QListWidget* list_ = nullptr;
  QTimer* poll_ = nullptr;
  FaultReport report_;
  int generation_ = 0;  // of the latest search
  std::unique_ptr<FaultSearchJob> job_;
};

}  // namespace tessarin::ui::qt
