#include "ui/view3d_rendering.h"

namespace tessarin::ui {

void View3dRendering::SetScene(std::shared_ptr<const view3d::Scene> scene) {
  request_.scene = std::move(scene);
  Submit();
}

void View3dRendering::SetTracks(std::shared_ptr<const view3d::TrackScene> tracks) {
  if (tracks == request_.tracks) return;
  request_.tracks = std::move(tracks);
  Submit();
}

void View3dRendering::SetOptions(const view3d::RenderOptions& options) {
  request_.options = options;
  Submit();
}

void View3dRendering::SetSize(int width, int height) {
  if (width == request_.width && height == request_.height) return;
  request_.width = width;
  request_.height = height;
  Submit();
}

void View3dRendering::SetView(const view3d::ViewSettings& view) {
  request_.view = view;
  Submit();
}

void View3dRendering::Stop() {
  renderer_.Cancel();
  latest_ = 0;
}

void View3dRendering::Submit() {
  if (!request_.scene || request_.width <= 0 || request_.height <= 0) return;
  latest_ = renderer_.Submit(request_);
}

}  // namespace tessarin::ui
