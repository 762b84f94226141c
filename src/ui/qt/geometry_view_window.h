#pragma once
// The Geometry view: a slice of the geometry the last read left, drawn off
// the user-interface thread, with a basis selector, a slider that moves the
// plane along its normal, a legend of the region rows, a status line that
// names what lies under the pointer, "Save image..." and "Find faults": the
// list of every overlap and undefined region, each shown and marked on a click.

#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ui/controller.h"
#include "ui/fault_list.h"
#include "ui/geometry_view_state.h"
#include "ui/slice_render_worker.h"

class QComboBox;
class QLabel;
class QListWidget;
class QSlider;

namespace tessarin::ui::qt {

class FaultListPanel;
class SliceCanvas;

class GeometryViewWindow : public QWidget {
  Q_OBJECT
 public:
  explicit GeometryViewWindow(const Controller& controller, QWidget* parent = nullptr);
  ~GeometryViewWindow() override;

  // Draws again when the model, the view fields or the colours changed since
  // the last picture.
  void Refresh();

  // Moves the plane through `point`, centred on it, and names what lies there.
  void ShowPoint(const input::Vec3& point);

  // Writes the picture shown; false when there is none or it cannot be written.
  [[nodiscard]] bool SaveImage(const QString& path) const;
  // Waits (running events) until the latest request has been drawn.
  [[nodiscard]] bool WaitForPicture(int milliseconds);
  double LastDrawSeconds() const { return lastDrawSeconds_; }
  SliceCanvas* Canvas() const { return canvas_; }
  QString StatusText() const;
  FaultListPanel* Faults() const { return faults_; }
  QString PlaneText() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildLayout();
  void RequestPicture();
  void ShowPicture(SlicePicture picture);
  void ShowLegend();
  void DescribePoint(QPointF at);
  void ChooseAndSave();
  void ShowFault(const FaultRow& row);
  void ShowPlaneAndMarker();

  const Controller& controller_;
  GeometryViewState state_;
  std::shared_ptr<const GeometryViewScene> scene_;
  std::uint64_t sceneDigest_ = 0;
  std::array<double, 7> viewFields_{};
  bool hasView_ = false;
  preview::SliceFrame shownFrame_;
  std::uint64_t shownNumber_ = 0;
  double lastDrawSeconds_ = 0;

  SliceCanvas* canvas_ = nullptr;
  QComboBox* basis_ = nullptr;
  QSlider* depth_ = nullptr;
  QListWidget* legend_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* notice_ = nullptr;
  QLabel* planeAt_ = nullptr;
  FaultListPanel* faults_ = nullptr;
  std::optional<input::Vec3> marked_;  // the fault last chosen
  std::unique_ptr<SliceRenderWorker> worker_;  // last: stopped first
};

}  // namespace tessarin::ui::qt
