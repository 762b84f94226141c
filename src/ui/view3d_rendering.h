#pragma once
// The 3D view's pictures: whatever the window changes (scene, tracks,
// options, size, view) asks for a new picture, coarse first, and stops the
// one being drawn. Frames of a request that a newer one replaced are not
// to be shown. Everything but the callback runs on the window's thread.

#include <cstdint>
#include <memory>

#include "view3d/progressive_renderer.h"

namespace tessarin::ui {

class View3dRendering {
 public:
  explicit View3dRendering(view3d::ProgressiveRenderer::FrameReady ready) : renderer_(std::move(ready)) {}

  void SetScene(std::shared_ptr<const view3d::Scene> scene);
  void SetTracks(std::shared_ptr<const view3d::TrackScene> tracks);
  void SetOptions(const view3d::RenderOptions& options);
  void SetSize(int width, int height);
  void SetView(const view3d::ViewSettings& view);

  [[nodiscard]] bool HasScene() const { return request_.scene != nullptr; }
  const view3d::Scene* SceneShown() const { return request_.scene.get(); }
  [[nodiscard]] bool IsLatest(const view3d::RenderedFrame& frame) const { return frame.request != 0 && frame.request == latest_; }
  std::uint64_t LatestRequest() const { return latest_; }

  // Stops drawing (the window was closed); the next change starts again.
  void Stop();

 private:
  void Submit();

  view3d::RenderRequest request_;
  std::uint64_t latest_ = 0;
  view3d::ProgressiveRenderer renderer_;  // last: stopped first
};

}  // namespace tessarin::ui
