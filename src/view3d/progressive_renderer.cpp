#include "view3d/progressive_renderer.h"

#include <exception>

#include "view3d/renderer.h"

namespace tessarin::view3d {

namespace {

constexpr int kCoarseStep = 4;

}  // namespace

void CoarseSize(int width, int height, int& coarseWidth, int& coarseHeight) {
  coarseWidth = std::max(1, width / kCoarseStep);
  coarseHeight = std::max(1, height / kCoarseStep);
}

ProgressiveRenderer::ProgressiveRenderer(FrameReady ready) : ready_(std::move(ready)), thread_([this] { Loop(); }) {}

ProgressiveRenderer::~ProgressiveRenderer() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
    waiting_.reset();
    cancel_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

std::uint64_t ProgressiveRenderer::Submit(RenderRequest request) {
  std::uint64_t number = 0;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    waiting_ = std::move(request);
    number = ++lastNumber_;
    cancel_ = true;
  }
  wake_.notify_all();
  return number;
}

void ProgressiveRenderer::Cancel() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    waiting_.reset();
    cancel_ = true;
  }
  wake_.notify_all();
}

void ProgressiveRenderer::Loop() {
  for (;;) {
    RenderRequest request;
    std::uint64_t number = 0;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [&] { return quit_ || waiting_.has_value(); });
      if (quit_) return;
      request = std::move(*waiting_);
      waiting_.reset();
      number = lastNumber_;
      cancel_ = false;
    }
    Render(request, number);
  }
}

void ProgressiveRenderer::Render(const RenderRequest& request, std::uint64_t number) {
  if (!request.scene || !request.scene->engine) return;
  int coarseWidth = 0, coarseHeight = 0;
  CoarseSize(request.width, request.height, coarseWidth, coarseHeight);
  const bool coarseFirst = coarseWidth < request.width || coarseHeight < request.height;
  for (int pass = coarseFirst ? 0 : 1; pass < 2; ++pass) {
    RenderedFrame frame;
    frame.request = number;
    frame.full = pass == 1;
    try {
      auto picture = std::make_shared<Picture>();
      const RenderOutcome outcome =
          RenderPicture(*request.scene, request.view, frame.full ? request.width : coarseWidth,
                        frame.full ? request.height : coarseHeight, request.tracks.get(), request.options, &cancel_,
                        *picture);
      if (outcome == RenderOutcome::Cancelled) return;
      frame.picture = std::move(picture);
    } catch (const std::exception& failure) {
      frame.error = failure.what();
    }
    if (cancel_) return;
    ready_(frame);
    if (!frame.error.empty()) return;
  }
}

}  // namespace tessarin::view3d
