#include "view3d/renderer.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "render/region_rows.h"
#include "view3d/pixel_tracer.h"
#include "view3d/progressive_renderer.h"
#include "support/test_files.h"
#include "view3d/scripted_model.h"

namespace tessarin::view3d {
namespace {

// A red ball of radius 2 in a green box of edge 8, centred at the origin,
// seen from +x without perspective against a blue background.
struct BallInBox {
  testing::ScriptedModel model{"COMPLEX_GEOMETRY 1\nM1 \"ball\"\nM2 \"box\"\n"
                               "S1 S 0 0 0 2\nS2 RPP -4 4 -4 4 -4 4\nC1 1 1 -1\nC2 2 1 -2 #1\n",
                               [](settings::VIEWPARM& set) {
                                 set.viewSize = 12;
                                 set.azimuth = 0;
                                 set.elevation = 0;
                                 set.sourceSizeRatio = 0.1;  // a ball of radius 0.6 at the origin
                                 set.backgroundColorRGB = {0, 0, 0, 255};
                               }};
  BallInBox() {
    EXPECT_TRUE(model.read.loaded) << model.read.console;
    model.set.rows[0].color = {0, 255, 0, 0};
    model.set.rows[1].color = {0, 0, 255, 0};
    for (settings::REGIONDATA& row : model.set.rows) row.transparency = 0;
  }
  Picture Render(const TrackScene* tracks = nullptr, RenderOptions options = {}) {
    Picture picture;
    EXPECT_EQ(RenderPicture(SceneOfSet(model.read.model, model.set), ViewOfSet(model.set), 41, 31, tracks, options,
                            nullptr, picture),
              RenderOutcome::Finished);
    return picture;
  }
  double StandOff() const { return view3d::StandOff(ViewOfSet(model.set), model.set.maximumObjectSizeRatio); }
};

std::string Region(const Scene& scene, const PixelHit& hit) {
  return hit.look < 0 ? "" : scene.looks[static_cast<std::size_t>(hit.look)].region;
}

TEST(RenderPicture, SeesWhatTheRowsCutAwayPlaneAndSourceLeave) {
  struct Case {
    std::string what;
    std::function<void(settings::VIEWPARM&)> change;
    std::string region;
    int cell;        // index, -1 for none
    double surface;  // x of the surface hit
  };
  const Case cases[] = {
      {"the box in front", [](settings::VIEWPARM&) {}, "M2", 1, 4},
      {"the box hidden: the ball", [](settings::VIEWPARM& set) { set.rows[1].show = 0; }, "M1", 0, 2},
      {"both hidden: the source sphere", [](settings::VIEWPARM& set) { set.rows[0].show = set.rows[1].show = 0; },
       "M_source", -1, 0.6},
      {"all hidden", [](settings::VIEWPARM& set) { set.rows[0].show = set.rows[1].show = set.rows[2].show = 0; }, "",
       -1, 0},
      {"cut away at x = 1: the ball's cut face",
       [](settings::VIEWPARM& set) {
         set.useCutawayPlane = 1;
         set.cutawayPlanePoint = {1, 0, 0};
         set.cutawayPlaneNormal = {2, 0, 0};
       },
       "M1", 0, 1},
      {"cut away, ball hidden: the source sphere, which is not cut",
       [](settings::VIEWPARM& set) {
         set.useCutawayPlane = 1;
         set.cutawayPlaneNormal = {1, 0, 0};
         set.rows[0].show = 0;
       },
       "M_source", -1, 0.6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BallInBox scene;
    c.change(scene.model.set);
    const Picture picture = scene.Render();
    const PixelHit& hit = picture.HitAt(20, 15);
    EXPECT_EQ(Region(SceneOfSet(scene.model.read.model, scene.model.set), hit), c.region);
    EXPECT_EQ(hit.cell, c.cell);
    if (!c.region.empty()) {
      EXPECT_NEAR(hit.distance, scene.StandOff() - c.surface, 1e-9);
    }
  }
}

// A picture of another view than the set's (the window zoomed and panned)
// shows the scene the set's view built, as MGED shows the database its
// script built: the source sphere keeps its size and the world its place.
TEST(RenderPicture, AnotherViewKeepsTheSourceSphereAndTheWorldOfTheSetsView) {
  BallInBox ball;
  ball.model.set.rows[0].show = ball.model.set.rows[1].show = 0;  // the source sphere alone
  const Scene scene = SceneOfSet(ball.model.read.model, ball.model.set);
  const auto sphereWidth = [&](const ViewSettings& view) {
    Picture picture;
    EXPECT_EQ(RenderPicture(scene, view, 81, 61, nullptr, {}, nullptr, picture), RenderOutcome::Finished);
    int across = 0;
    for (int column = 0; column < 81; ++column) across += picture.HitAt(column, 30).look == scene.sourceLook ? 1 : 0;
    return across;
  };
  ViewSettings view = ViewOfSet(ball.model.set);
  const int atTheSetsView = sphereWidth(view);
  view.viewSize /= 2;
  EXPECT_NEAR(sphereWidth(view), 2 * atTheSetsView, 2);
  EXPECT_GT(atTheSetsView, 5);

  // Panned away along the line of sight, a picture still meets the world
  // cube where the engine has it (x = 300 here, the view of 12 cm times 50),
  // not the cube around the panned view's centre.
  testing::ScriptedModel everywhere{"COMPLEX_GEOMETRY 1\nM1 \"all\"\nS1 S 0 0 0 1e5\nC1 1 1 -1\nC2 0 1\n",
                                    [](settings::VIEWPARM& set) {
                                      set.viewSize = 12;
                                      set.azimuth = 0;
                                      set.elevation = 0;
                                    }};
  ASSERT_TRUE(everywhere.read.loaded) << everywhere.read.console;
  const Scene world = SceneOfSet(everywhere.read.model, everywhere.set);
  ViewSettings panned = ViewOfSet(everywhere.set);
  panned.centre = Vec3{-100, 0, 0};
  Picture picture;
  ASSERT_EQ(RenderPicture(world, panned, 41, 31, nullptr, {}, nullptr, picture), RenderOutcome::Finished);
  EXPECT_EQ(picture.HitAt(20, 15).cell, 0);
  EXPECT_NEAR(picture.HitAt(20, 15).distance, -100 + StandOff(panned, world.maximumObjectSizeRatio) - 300, 1e-9);
}

TEST(RenderPicture, ShadesTranslucentRegionsAndTheEyeInsideARegion) {
  BallInBox opaque;
  const Rgb green = [&] {
    const Picture picture = opaque.Render();
    const auto* pixel = picture.image.pixels.data() + 3 * (15 * 41 + 20);
    return Rgb{pixel[0], pixel[1], pixel[2]};
  }();
  EXPECT_GT(green[1], 200);
  EXPECT_LT(green[0], 100);

  // A half-clear white box lets the red ball show, its light tinted by the
  // box's own colour.
  BallInBox translucent;
  translucent.model.set.rows[1].color = {0, 255, 255, 255};
  translucent.model.set.rows[1].transparency = 0.5;
  const Rgb white = translucent.Render(nullptr, RenderOptions{false, false, 0}).image.At(20, 15);
  const Rgb through = translucent.Render().image.At(20, 15);
  EXPECT_GT(through[0], 200);
  EXPECT_LT(through[1], white[1] - 60);
  // Through a blue box no red comes.
  translucent.model.set.rows[1].color = {0, 0, 0, 255};
  EXPECT_LT(translucent.Render().image.At(20, 15)[0], 80);
  // With perspective the eye sits half the view size in front of the
  // centre: at x = 1, inside the ball.
  BallInBox inside;
  inside.model.set.viewSize = 2;
  inside.model.set.perspective = 60;
  const Picture grey = inside.Render();
  EXPECT_EQ(grey.image.At(20, 15), (Rgb{46, 46, 46}));
  EXPECT_EQ(grey.HitAt(20, 15).cell, 0);
  EXPECT_EQ(grey.HitAt(20, 15).distance, 0);
}

TEST(RenderPicture, TracksHideBehindOpaqueRegionsUnlessAskedToShowThrough) {
  // Two tracks along y across the picture's middle row: one in front of the
  // box (x = 5), one behind it (x = -5) and lower down.
  TrackScene tracks;
  tracks.points = {{5, -5, 0}, {5, 5, 0}, {-5, -5, -2}, {-5, 5, -2}};
  tracks.lines = {{0, 2, 0}, {2, 2, 1}};
  tracks.colours[0] = {255, 255, 0};
  tracks.colours[1] = {255, 0, 255};
  BallInBox scene;
  const Picture hidden = scene.Render(&tracks);
  EXPECT_EQ(hidden.image.At(20, 15), (Rgb{255, 255, 0}));
  EXPECT_NE(hidden.image.At(20, 22), (Rgb{255, 0, 255}));
  const Picture through = scene.Render(&tracks, RenderOptions{true, true, 0});
  EXPECT_EQ(through.image.At(20, 22), (Rgb{255, 0, 255}));
  // Beside the box the track behind it shows against the background.
  EXPECT_EQ(hidden.image.At(4, 22), (Rgb{255, 0, 255}));
}

// A 0.0043 cm shell whose caps are other planes than the coinciding faces of
// the cell it encloses: at those faces it begins a rounding error before
// that cell, which must not make it the first cell seen. Written with the
// enclosed cell's own planes, the same picture.
TEST(RenderPicture, AStretchOfRoundingLengthAtASharedFaceIsNoFirstHit) {
  const std::string input = tessarin::testing::ReadWholeFile(TESSARIN_TEST_DATA_DIR "/view3d/render_coincident_cap.inp");
  const auto view = [](settings::VIEWPARM& set) {
    set.maximumObjectSizeRatio = 5;
    set.viewSize = 233.162176580305;
    set.viewCenter = {-24.223369268188, 4.72797313323989, -29.6677480706313};
    set.azimuth = 25;
    set.elevation = 15;
  };
  std::string samePlanes = input;
  const std::string caps = "C10 1 0.0012 -9 10 -11 #3";
  ASSERT_NE(samePlanes.find(caps), std::string::npos);
  samePlanes.replace(samePlanes.find(caps), caps.size(), "C10 1 0.0012 -9 -6 -8 #3");
  std::vector<std::vector<PixelHit>> hits;
  for (const std::string& text : {input, samePlanes}) {
    testing::ScriptedModel model(text, view);
    ASSERT_TRUE(model.read.loaded) << model.read.console;
    Picture picture;
    ASSERT_EQ(RenderPicture(SceneOfSet(model.read.model, model.set), ViewOfSet(model.set), 120, 90, nullptr, {},
                            nullptr, picture),
              RenderOutcome::Finished);
    hits.push_back(picture.hits);
  }
  int seen = 0;
  for (std::size_t k = 0; k < hits[0].size(); ++k) {
    EXPECT_EQ(hits[0][k].cell, hits[1][k].cell) << "pixel " << k % 120 << "," << k / 120;
    seen += hits[0][k].cell >= 0 ? 1 : 0;
  }
  EXPECT_GT(seen, 6000);
}

TEST(RenderPicture, StopsWhenCancelled) {
  BallInBox scene;
  const std::atomic<bool> cancel{true};
  Picture picture;
  EXPECT_EQ(RenderPicture(SceneOfSet(scene.model.read.model, scene.model.set), ViewOfSet(scene.model.set), 40, 30,
                          nullptr, {}, &cancel, picture),
            RenderOutcome::Cancelled);
}

TEST(ProgressiveRenderer, SendsACoarseThenAFullPictureOfTheLatestRequest) {
  BallInBox scene;
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<RenderedFrame> frames;
  ProgressiveRenderer renderer([&](const RenderedFrame& frame) {
    const std::lock_guard<std::mutex> lock(mutex);
    frames.push_back(frame);
    changed.notify_all();
  });
  RenderRequest request;
  request.scene = std::make_shared<const Scene>(SceneOfSet(scene.model.read.model, scene.model.set));
  request.view = ViewOfSet(scene.model.set);
  request.width = 80;
  request.height = 60;
  renderer.Submit(request);
  const std::uint64_t last = renderer.Submit(request);
  std::unique_lock<std::mutex> lock(mutex);
  ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(60), [&] { return !frames.empty() && frames.back().full; }));
  EXPECT_EQ(frames.back().request, last);
  EXPECT_EQ(frames.back().picture->image.width, 80);
  ASSERT_GE(frames.size(), 2u);
  const RenderedFrame& coarse = frames[frames.size() - 2];
  EXPECT_FALSE(coarse.full);
  EXPECT_EQ(coarse.request, last);
  EXPECT_EQ(coarse.picture->image.width, 20);
  EXPECT_EQ(coarse.picture->image.height, 15);
}

}  // namespace
}  // namespace tessarin::view3d
