#pragma once
// Pictures made on a thread of their own, for a window that must not wait:
// each request is rendered first coarse (a quarter of the size each way),
// then at full size, and a newer request cancels the one in progress. The
// callback runs on the rendering thread; a window passes the picture on to
// its own thread. The destructor cancels and joins.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "view3d/picture.h"
#include "view3d/render_options.h"
#include "view3d/scene.h"
#include "view3d/track_scene.h"

namespace tessarin::view3d {

struct RenderRequest {
  std::shared_ptr<const Scene> scene;
  std::shared_ptr<const TrackScene> tracks;  // none: no tracks
  ViewSettings view;
  int width = 0, height = 0;
  RenderOptions options;
};

struct RenderedFrame {
  std::uint64_t request = 0;  // the number Submit returned
  std::shared_ptr<const Picture> picture;  // none when the rendering failed
  bool full = false;                       // false: the coarse picture
  std::string error;                       // why it failed
};

class ProgressiveRenderer {
 public:
  using FrameReady = std::function<void(const RenderedFrame&)>;

  explicit ProgressiveRenderer(FrameReady ready);
  ~ProgressiveRenderer();
  ProgressiveRenderer(const ProgressiveRenderer&) = delete;
  ProgressiveRenderer& operator=(const ProgressiveRenderer&) = delete;

  // Replaces whatever is waiting or being rendered; returns the request's number.
  std::uint64_t Submit(RenderRequest request);
  // Stops the rendering in progress and forgets what is waiting.
  void Cancel();

 private:
  void Loop();
  void Render(const RenderRequest& request, std::uint64_t number);

  FrameReady ready_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<RenderRequest> waiting_;
  std::uint64_t lastNumber_ = 0;
  std::atomic<bool> cancel_{false};
  bool quit_ = false;
  std::thread thread_;  // last: it starts when everything else is ready
};

// The size of the coarse picture for a full one of `width` x `height`.
void CoarseSize(int width, int height, int& coarseWidth, int& coarseHeight);

}  // namespace tessarin::view3d
