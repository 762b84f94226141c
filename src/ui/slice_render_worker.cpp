#include "ui/slice_render_worker.h"

#include <chrono>
#include <exception>

#include "preview/slice_scan.h"

namespace tessarin::ui {

SliceRenderWorker::SliceRenderWorker(std::function<void(SlicePicture)> delivered)
    : delivered_(std::move(delivered)), thread_([this] { Run(); }) {}

SliceRenderWorker::~SliceRenderWorker() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    cancel_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

std::uint64_t SliceRenderWorker::Request(std::shared_ptr<const GeometryViewScene> scene,
                                         const preview::SliceFrame& frame) {
  const std::uint64_t number = latest_.fetch_add(1) + 1;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    waiting_ = SliceRequest{std::move(scene), frame, number};
    cancel_ = true;  // whatever is being drawn is out of date
  }
  wake_.notify_one();
  return number;
}

void SliceRenderWorker::Run() {
  for (;;) {
    SliceRequest request;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || waiting_.has_value(); });
      if (stopping_) return;
      request = std::move(*waiting_);
      waiting_.reset();
      cancel_ = false;
    }
    if (!request.scene) continue;
    const auto started = std::chrono::steady_clock::now();
    SlicePicture picture;
    picture.number = request.number;
    picture.frame = request.frame;
    // An exception may not leave the thread; the window is told instead.
    try {
      const preview::SliceCells cells = preview::ScanSlice(request.scene->locator, request.frame, &cancel_);
      if (cells.wide == 0 || cancel_) continue;
      picture.image = preview::PaintSlice(cells, request.scene->cellColours);
    } catch (const std::exception& failure) {
      picture.error = failure.what();
    }
    picture.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (request.number == latest_.load()) delivered_(std::move(picture));
  }
}

}  // namespace tessarin::ui
