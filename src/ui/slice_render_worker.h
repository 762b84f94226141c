#pragma once
// Draws the Geometry view's slices on one worker thread, so that the window
// never waits for a picture. A newer request cancels the one being drawn and
// replaces any still waiting; only the latest picture is delivered.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "preview/slice_picture.h"
#include "ui/geometry_view_scene.h"

namespace tessarin::ui {

struct SliceRequest {
  std::shared_ptr<const GeometryViewScene> scene;
  preview::SliceFrame frame;
  std::uint64_t number = 0;  // given by the worker
};

struct SlicePicture {
  std::uint64_t number = 0;
  preview::SliceFrame frame;
  preview::RgbImage image;
  double seconds = 0;
  std::string error;  // why no picture could be drawn (the image is then empty)
};

class SliceRenderWorker {
 public:
  // `delivered` runs on the worker thread with each finished picture.
  explicit SliceRenderWorker(std::function<void(SlicePicture)> delivered);
  ~SliceRenderWorker();
  SliceRenderWorker(const SliceRenderWorker&) = delete;
  SliceRenderWorker& operator=(const SliceRenderWorker&) = delete;

  // Returns the request's number.
  std::uint64_t Request(std::shared_ptr<const GeometryViewScene> scene, const preview::SliceFrame& frame);
  std::uint64_t LatestRequest() const { return latest_.load(); }

 private:
  void Run();

  std::function<void(SlicePicture)> delivered_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<SliceRequest> waiting_;
  bool stopping_ = false;
  std::atomic<bool> cancel_{false};
  std::atomic<std::uint64_t> latest_{0};
  std::thread thread_;
};

}  // namespace tessarin::ui
