#include "ui/slice_render_worker.h"

#include <gtest/gtest.h>

#include <climits>
#include <future>
#include <memory>

namespace tessarin::ui {
namespace {

// A slice too large to hold fails on the worker's thread: the window is
// given the reason instead of the program ending there.
TEST(SliceRenderWorker, AFailureOnItsThreadIsDeliveredAsAnError) {
  std::promise<SlicePicture> delivered;
  SliceRenderWorker worker([&delivered](SlicePicture picture) { delivered.set_value(std::move(picture)); });
  const auto scene = std::make_shared<const GeometryViewScene>(input::GeometryModel{}, settings::DefaultParameterSet());
  preview::SliceFrame frame;
  frame.pixelsWide = INT_MAX;
  frame.pixelsHigh = INT_MAX;
  const std::uint64_t number = worker.Request(scene, frame);
  std::future<SlicePicture> picture = delivered.get_future();
  ASSERT_EQ(picture.wait_for(std::chrono::seconds(30)), std::future_status::ready);
  const SlicePicture failed = picture.get();
  EXPECT_EQ(failed.number, number);
  EXPECT_FALSE(failed.error.empty());
  EXPECT_EQ(failed.image.width, 0);
}

}  // namespace
}  // namespace tessarin::ui
