// The 3D view's logic: the mouse's changes of the view, "Apply to the set",
// what lies under a pixel, and pictures of replaced views never shown.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "support/test_files.h"
#include "ui/controller_fixture.h"
#include "ui/view3d_messages.h"
#include "ui/view3d_pointing.h"
#include "ui/view3d_rendering.h"
#include "ui/view3d_state.h"
#include "view3d/renderer.h"

namespace tessarin::ui {
namespace {

settings::VIEWPARM SetWithView(double azimuth, double elevation, double viewSize) {
  settings::VIEWPARM set;
  set.azimuth = azimuth;
  set.elevation = elevation;
  set.viewSize = viewSize;
  set.viewCenter = {1, 2, 3};
  return set;
}

TEST(View3dState, DragsTurnAndTheWheelZoomsWithinTheSetsRanges) {
  struct Case {
    const char* name;
    void (*change)(View3dState&);
    double azimuth, elevation, viewSize;
  };
  const Case cases[] = {
      {"drag right turns the eye left", [](View3dState& s) { s.OrbitBy(10, 0); }, 20, 15, 10},
      {"drag down raises the eye", [](View3dState& s) { s.OrbitBy(0, 20); }, 25, 25, 10},
      {"elevation stops at the pole", [](View3dState& s) { s.OrbitBy(0, 1000); }, 25, 90, 10},
      {"elevation stops below", [](View3dState& s) { s.OrbitBy(0, -1000); }, 25, -90, 10},
      {"azimuth wraps round", [](View3dState& s) { s.OrbitBy(-400, 0); }, -135, 15, 10},
      {"wheel up zooms in", [](View3dState& s) { s.ZoomBy(2); }, 25, 15, 5},
      {"no zoom by nothing", [](View3dState& s) { s.ZoomBy(0); }, 25, 15, 10},
      {"no zoom by NaN", [](View3dState& s) { s.ZoomBy(NAN); }, 25, 15, 10},
      {"no turn by NaN", [](View3dState& s) { s.OrbitBy(NAN, 1); }, 25, 15, 10},
      {"view size stays in range", [](View3dState& s) { s.ZoomBy(1e300); }, 25, 15, 5e-12},
  };
  for (const Case& c : cases) {
    View3dState state;
    state.Reset(SetWithView(25, 15, 10));
    c.change(state);
    EXPECT_DOUBLE_EQ(state.View().azimuth, c.azimuth) << c.name;
    EXPECT_DOUBLE_EQ(state.View().elevation, c.elevation) << c.name;
    EXPECT_DOUBLE_EQ(state.View().viewSize, c.viewSize) << c.name;
  }
}

TEST(View3dState, PanningMovesThePictureWithThePointer) {
  View3dState state;
  state.Reset(SetWithView(35, -20, 10));
  state.PanBy(30, -12, 200);
  const view3d::Camera after(state.View(), 200, 100, 100);
  double x = 0, y = 0, distance = 0;
  ASSERT_TRUE(after.Project({1, 2, 3}, x, y, distance));
  EXPECT_NEAR(x, 100 + 30, 1e-9);
  EXPECT_NEAR(y, 50 - 12, 1e-9);
}

TEST(View3dState, FocusingOnAFaultZoomsInOnlyAsFarAsATwentieth) {
  const struct {
    const char* name;
    preview::Box3 box;
    double viewSize;
  } cases[] = {
      {"three times the box", {{0, 0, 0}, {1, 0.5, 2}}, 6},
      {"a point: a twentieth", {{1, 1, 1}, {1, 1, 1}}, 0.5},
      {"no box: a twentieth", {{1, 1, 1}, {0, 0, 0}}, 0.5},
      {"a box wider than the view: no zoom out", {{-50, 0, 0}, {50, 1, 1}}, 10},
  };
  for (const auto& c : cases) {
    View3dState state;
    state.Reset(SetWithView(35, -20, 10));
    state.FocusOn({4, 5, 6}, c.box);
    EXPECT_EQ(state.View().centre, (input::Vec3{4, 5, 6})) << c.name;
    EXPECT_DOUBLE_EQ(state.View().viewSize, c.viewSize) << c.name;
    EXPECT_DOUBLE_EQ(state.View().azimuth, 35) << c.name;
    const auto pixel = state.PixelOf({4, 5, 6}, 200, 100);
    ASSERT_TRUE(pixel.has_value());
    EXPECT_DOUBLE_EQ(pixel->first, 100) << c.name;
    EXPECT_DOUBLE_EQ(pixel->second, 50) << c.name;
  }
}

TEST(View3dState, ApplyWritesTheViewIntoTheSetOnlyWhenItDiffers) {
  settings::VIEWPARM set = SetWithView(25, 15, 10);
  set.twist = 7;
  set.perspective = 30;
  View3dState state;
  state.Reset(set);
  EXPECT_FALSE(state.ApplyTo(set));
  state.OrbitBy(10, 20);
  state.ZoomBy(2);
  state.PanBy(5, 0, 100);
  EXPECT_TRUE(state.ApplyTo(set));
  EXPECT_DOUBLE_EQ(set.azimuth, 20);
  EXPECT_DOUBLE_EQ(set.elevation, 25);
  EXPECT_DOUBLE_EQ(set.viewSize, 5);
  EXPECT_EQ(set.viewCenter.x, state.View().centre.x);
  EXPECT_NE(set.viewCenter.y, 2);
  EXPECT_DOUBLE_EQ(set.twist, 7);  // the mouse changes neither
  EXPECT_DOUBLE_EQ(set.perspective, 30);
  EXPECT_FALSE(state.ApplyTo(set));
}

// A ball (C1, M1) of radius 2 in a box (C2, M2) of edge 8 at the origin,
// seen from +x, 12 cm across 41 x 31 pixels.
struct BallInBox {
  BallInBox() {
    const std::string input = fixture.folder.File("ball.inp");
    tessarin::testing::WriteWholeFile(input, "COMPLEX_GEOMETRY 1\nM1 \"ball\"\nM2 \"box\"\n"
                                             "S1 S 0 0 0 2\nS2 RPP -4 4 -4 4 -4 4\nC1 1 1 -1\nC2 2 1 -2 #1\n");
    fixture.host.chosenFiles.push_back(input);
    Controller& controller = *fixture.controller;
    controller.LoadInputFile();
    settings::VIEWPARM& set = controller.EditWorkingCopy();
    set.azimuth = 0;
    set.elevation = 0;
    set.viewSize = 12;
    set.viewCenter = {0, 0, 0};
    for (settings::REGIONDATA& row : set.rows) row.transparency = 0;
    scene = std::make_shared<const view3d::Scene>(view3d::SceneOfSet(controller.Model(), set));
  }
  testing::ControllerFixture fixture;
  std::shared_ptr<const view3d::Scene> scene;
};

TEST(View3dPointing, NamesTheFirstCellItsRegionAndWhereTheRayMeetsIt) {
  BallInBox model;
  ASSERT_TRUE(model.fixture.controller->Model().loaded);
  view3d::Picture picture;
  ASSERT_EQ(view3d::RenderPicture(*model.scene, view3d::ViewOfSet(model.fixture.controller->WorkingCopy()), 41, 31,
                                  nullptr, {}, nullptr, picture),
            view3d::RenderOutcome::Finished);

  const std::optional<View3dHit> middle = HitAtPixel(*model.scene, picture, 20, 15);
  ASSERT_TRUE(middle);
  EXPECT_EQ(middle->cellId, 2);
  EXPECT_EQ(middle->region, "M2");
  EXPECT_NEAR(middle->point.x, 4, 1e-9);
  // Halfway through the box's wall in front of the ball.
  EXPECT_NEAR(middle->inside.x, 3, 1e-9);
  const input::GeometryModel& read = model.fixture.controller->Model();
  EXPECT_EQ(HitDescription(middle, read), "cell C2   material 2 \"box\"   region M2   hit at (4, 0, 0) cm");
  input::GeometryModel readAgain = read;
  readAgain.cells.clear();
  EXPECT_EQ(HitDescription(middle, readAgain), "cell C2   region M2   hit at (4, 0, 0) cm");

  EXPECT_FALSE(HitAtPixel(*model.scene, picture, 0, 0));  // beside the box
  EXPECT_EQ(HitDescription(std::nullopt, read), messages::kView3dNothingHit);
  for (const auto& [column, row] : {std::pair{-1, 0}, {41, 0}, {0, 31}})
    EXPECT_FALSE(HitAtPixel(*model.scene, picture, column, row)) << column << "," << row;
}

TEST(View3dRendering, OnlyPicturesOfTheLatestViewAreShown) {
  BallInBox model;
  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<view3d::RenderedFrame> frames;
  View3dRendering rendering([&](const view3d::RenderedFrame& frame) {
    const std::lock_guard<std::mutex> lock(mutex);
    frames.push_back(frame);
    arrived.notify_all();
  });
  View3dState state;
  state.Reset(model.fixture.controller->WorkingCopy());
  rendering.SetSize(80, 60);
  rendering.SetView(state.View());
  EXPECT_EQ(rendering.LatestRequest(), 0u);  // nothing to draw yet
  rendering.SetScene(model.scene);
  const std::uint64_t first = rendering.LatestRequest();
  state.OrbitBy(60, 30);
  rendering.SetView(state.View());
  EXPECT_GT(rendering.LatestRequest(), first);

  std::unique_lock<std::mutex> lock(mutex);
  ASSERT_TRUE(arrived.wait_for(lock, std::chrono::seconds(60), [&] {
    return !frames.empty() && frames.back().full && rendering.IsLatest(frames.back());
  }));
  const view3d::Camera turned(state.View(), 80, 60, 0);
  for (const view3d::RenderedFrame& frame : frames) {
    if (!rendering.IsLatest(frame)) continue;
    const input::Vec3 eye = frame.picture->camera.ToEye();
    EXPECT_NEAR(eye.x, turned.ToEye().x, 1e-12);
    EXPECT_NEAR(eye.z, turned.ToEye().z, 1e-12);
  }
  rendering.Stop();
  EXPECT_FALSE(rendering.IsLatest(frames.back()));
}

}  // namespace
}  // namespace tessarin::ui
