#pragma once
// The 3D view: the current set's geometry raytraced as the RT script's view
// shows it, with the selected tracks, drawn off the user-interface thread
// (coarse, then full size). The mouse turns, moves and zooms the view,
// "Apply to the set" writes it back; the status line names what lies under
// the pointer and a click shows that cell in the Geometry view. "Find faults"
// lists the overlaps and undefined regions the Geometry view would find;
// choosing one looks at it closely and rings it.

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "ui/controller.h"
#include "ui/fault_list.h"
#include "ui/geometry_view_scene.h"
#include "ui/track_scene_loader.h"
#include "ui/view3d_rendering.h"
#include "ui/view3d_state.h"

class QCheckBox;
class QLabel;

namespace tessarin::ui::qt {

class FaultListPanel;
class View3dCanvas;

class View3dWindow : public QWidget {
  Q_OBJECT
 public:
  explicit View3dWindow(Controller& controller, QWidget* parent = nullptr);
  ~View3dWindow() override;

  // Draws again from the model and the working copy; the view follows the
  // set's when its view fields changed.
  void Refresh();
  void ApplyToSet();
  void ResetView();

  // Writes the picture shown; false when there is none or it cannot be written.
  [[nodiscard]] bool SaveImage(const QString& path) const;
  // Waits (running events) until the full picture of the latest view is shown
  // and the tracks, when the set shows them, have been read.
  [[nodiscard]] bool WaitForPicture(int milliseconds);
  View3dCanvas* Canvas() const { return canvas_; }
  FaultListPanel* Faults() const { return faults_; }
  const View3dState& State() const { return state_; }
  QString StatusText() const;

  // A click on a cell: a point inside it.
  std::function<void(const input::Vec3& inside)> cellPicked;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void BuildLayout();
  void ViewChanged();
  void RequestPicture();
  void RefreshTracks(const settings::VIEWPARM& set);
  void ShowFrame(const view3d::RenderedFrame& frame);
  void TracksLoaded(std::uint64_t request, view3d::SetTracks tracks);
  // The pixel of the picture shown under a point of the canvas; false without one.
  [[nodiscard]] bool PixelUnder(QPointF at, int& column, int& row) const;
  void DescribePoint(QPointF at);
  void PickPoint(QPointF at);
  void ChooseAndSave();
  void SearchFaults();
  void ShowFault(const FaultRow& row);
  // Moves the ring to where the chosen fault shows in the latest view.
  void ShowMarker();

  Controller& controller_;
  View3dState state_;
  std::array<double, 7> viewFields_{};
  bool hasView_ = false;
  std::uint64_t sceneDigest_ = 0;
  std::shared_ptr<const view3d::Scene> scene_;
  std::shared_ptr<const view3d::Picture> shown_;  // its scene is rendering_'s
  bool shownFull_ = false;
  std::uint64_t shownRequest_ = 0;
  std::shared_ptr<const GeometryViewScene> faultScene_;  // what the fault search reads; made when asked for
  std::optional<input::Vec3> marked_;                    // the fault last chosen
  TrackSceneInputs trackInputs_;
  std::uint64_t trackRequest_ = 0;
  bool tracksPending_ = false;

  View3dCanvas* canvas_ = nullptr;
  QCheckBox* translucent_ = nullptr;
  QCheckBox* tracksThrough_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* notice_ = nullptr;
  FaultListPanel* faults_ = nullptr;
  std::unique_ptr<TrackSceneLoader> loader_;
  std::unique_ptr<View3dRendering> rendering_;  // last: stopped first
};

}  // namespace tessarin::ui::qt
