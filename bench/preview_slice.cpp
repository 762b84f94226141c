// The geometry view on the 4999-cell lattice model (lattice_model.h): the
// time to index the cells, a 1000 x 1000 slice across the rods, and the
// overlap and gap search with the command's defaults over the view cube.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "input/geometry_model.h"
#include "input/input_reader.h"
#include "input/user_code.h"
#include "lattice_model.h"
#include "platform/scripted_console.h"
#include "preview/cell_ray_engine.h"
#include "preview/overlap_search.h"
#include "preview/point_locator.h"
#include "preview/slice_frame.h"
#include "preview/slice_picture.h"
#include "preview/slice_scan.h"
#include "settings/viewparm.h"

namespace {

double SecondsSince(std::chrono::steady_clock::time_point started) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

}  // namespace

int main() {
  using namespace tessarin;
  const std::string folder = "/tmp/";
  const std::string inputPath = folder + "tessarin_bench_preview.inp";
  std::ofstream(inputPath) << bench::LatticeModelInput();

  settings::VIEWPARM set = settings::DefaultParameterSet();
  set.InputFileFolder = folder;
  set.InputFN = "tessarin_bench_preview.inp";
  set.viewSize = 60;
  set.viewCenter = {25, 25, 0.5};
  input::GeometryModel model;
  input::UnavailableUserCodeEngine engine;
  platform::ScriptedConsole console;
  const input::InputReadResult read = input::ReadInputFile({set, {folder, 1}, console, model, engine});
  if (read.status != input::InputReadStatus::Loaded) {
    std::fprintf(stderr, "the generated input did not read:\n%s\n", console.text.c_str());
    return 1;
  }
  const preview::Vec3 centre{set.viewCenter.x, set.viewCenter.y, set.viewCenter.z};

  auto started = std::chrono::steady_clock::now();
  const preview::PointLocator locator(model, preview::WorldCube(centre, set.viewSize, set.maximumObjectSizeRatio));
  std::printf("model: %zu cells; locator built in %.3f s\n", model.cells.size(), SecondsSince(started));

  const preview::SliceFrame frame = preview::DefaultSliceFrame(set, preview::SliceBasis::XY, 1000, 1000);
  started = std::chrono::steady_clock::now();
  const preview::SliceCells cells = preview::ScanSlice(locator, frame);
  const double scanSeconds = SecondsSince(started);
  started = std::chrono::steady_clock::now();
  const preview::RgbImage image = preview::PaintSlice(cells, preview::CellColours(model, set));
  std::printf("1000 x 1000 slice: %.3f s scanning, %.3f s painting (%d x %d)\n", scanSeconds, SecondsSince(started),
              image.width, image.height);

  preview::OverlapSearchOptions options;
  options.region = preview::ViewCube(centre, set.viewSize);
  started = std::chrono::steady_clock::now();
  const raytrace::RayEngine rays =
      preview::BuildRayEngine(model, preview::WorldCube(centre, set.viewSize, set.maximumObjectSizeRatio));
  const preview::OverlapSearchResult result = preview::SearchOverlaps(rays, options);
  std::printf("overlap search (%d rays per side): %.3f s, %lld rays, %zu overlaps, %zu undefined\n",
              options.raysPerSide, SecondsSince(started), result.raysCast, result.overlaps.size(),
              result.undefined.size());

  // The demo, as the window shows it: 800 x 600 pictures while panning.
  set = settings::DefaultParameterSet();
  set.InputFileFolder = std::string(TESSARIN_BENCH_DIR) + "/../examples/";
  set.InputFN = "demo_lattice.inp";
  set.viewSize = 40;
  input::GeometryModel demo;
  platform::ScriptedConsole demoConsole;
  if (input::ReadInputFile({set, {folder, 1}, demoConsole, demo, engine}).status != input::InputReadStatus::Loaded) {
    std::fprintf(stderr, "the demo did not read:\n%s\n", demoConsole.text.c_str());
    return 1;
  }
  const preview::PointLocator demoLocator(demo, preview::WorldCube({}, set.viewSize, set.maximumObjectSizeRatio));
  const std::vector<preview::Rgb> demoColours = preview::CellColours(demo, set);
  preview::SliceFrame view = preview::DefaultSliceFrame(set, preview::SliceBasis::XY, 800, 600);
  double slowest = 0, total = 0;
  constexpr int kPans = 20;
  for (int pan = 0; pan < kPans; ++pan) {
    view.centre = view.centre + preview::Vec3{0.3, 0.1, 0};
    started = std::chrono::steady_clock::now();
    const preview::RgbImage picture = preview::PaintSlice(preview::ScanSlice(demoLocator, view), demoColours);
    const double seconds = SecondsSince(started);
    slowest = std::max(slowest, seconds);
    total += seconds;
  }
  std::printf("demo, 800 x 600 while panning: %.1f ms on average, %.1f ms at most\n", 1000 * total / kPans,
              1000 * slowest);
  return 0;
}
