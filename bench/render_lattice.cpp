// The 3D picture of the 4999-cell lattice model (lattice_model.h): building
// the ray engine and its memory, an 800 x 600 picture and a coarse 200 x 150
// one on two threads (opaque rows, and the default rows, which are 30 %
// transparent), the same with a million track points, and BRL-CAD's rt -P1
// on the database the set's RT script builds, at the same size from the
// same view. Usage: bench_render_lattice [BRLCAD-BIN-FOLDER] (without it,
// rt is looked for in the build folders).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "input/geometry_model.h"
#include "input/input_reader.h"
#include "input/user_code.h"
#include "lattice_model.h"
#include "platform/scripted_console.h"
#include "platform/scripted_host.h"
#include "render/region_rows.h"
#include "render/rt_script.h"
#include "settings/viewparm.h"
#include "view3d/renderer.h"

namespace {

using namespace tessarin;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point started) { return std::chrono::duration<double>(Clock::now() - started).count(); }

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word)
    if (word == "VmRSS:") {
      long kilobytes = 0;
      status >> kilobytes;
      return kilobytes;
    }
  return -1;
}

// The median of `runs` renderings, in seconds, the picture and its
// workspace kept from one to the next as a window keeps them.
double MedianRender(const view3d::Scene& scene, const view3d::ViewSettings& view, int width, int height,
                    const view3d::TrackScene* tracks, const view3d::RenderOptions& options, int runs) {
  std::vector<double> seconds;
  view3d::Picture picture;
  view3d::RenderWorkspace workspace;
  for (int run = 0; run < runs; ++run) {
    const auto started = Clock::now();
    view3d::RenderPicture(scene, view, width, height, tracks, options, nullptr, picture, &workspace);
    seconds.push_back(SecondsSince(started));
  }
  std::sort(seconds.begin(), seconds.end());
  return seconds[seconds.size() / 2];
}

// A million points: a thousand random walks of a thousand steps among the rods.
view3d::TrackScene MillionTrackPoints() {
  view3d::TrackScene tracks;
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> across(0, bench::kLatticeSide), step(-0.05, 0.05), height(0, 1);
  for (int track = 0; track < 1000; ++track) {
    tracks.lines.push_back({static_cast<std::uint32_t>(tracks.points.size()), 1000, track % 12});
    input::Vec3 at{across(random), across(random), height(random)};
    for (int vertex = 0; vertex < 1000; ++vertex) {
      tracks.points.push_back(at);
      at = at + input::Vec3{step(random), step(random), step(random)};
    }
  }
  for (std::size_t type = 0; type < tracks.colours.size(); ++type)
    tracks.colours[type] = {255, static_cast<std::uint8_t>(20 * type), 0};
  return tracks;
}

std::string FindRtFolder(int argc, char** argv) {
  if (argc > 1) return argv[1];
  for (const char* kind : {"release", "asan"}) {
    const std::filesystem::path root = std::filesystem::path(TESSARIN_BENCH_DIR) / ".." / "build" / kind / "brlcad";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root, error))
      if (std::filesystem::exists(entry.path() / "bin" / "rt")) return (entry.path() / "bin").string();
  }
  return {};
}

// The set's RT script through MGED, then rt -P1 from the view MGED saved;
// the seconds rt took, or a negative number when something failed.
double TimeRt(const std::string& bin, input::GeometryModel& model, const settings::VIEWPARM& set,
              const std::string& folder, int width, int height) {
  platform::ScriptedHost host;
  const std::string script = folder + "tessarin_bench_render.rt";
  const launch::LaunchContext launch{folder, 1};
  const render::RtScriptRequest request{model, set, launch, script, "tessarin_bench_render", false, host};
  if (render::WriteRtScript(request).outcome != render::RtScriptOutcome::Written) return -1;
  const std::string saved = folder + "tessarin_bench_render_view.sh";
  std::ofstream(script, std::ios::app) << "saveview " << saved << "\n";
  if (std::system(("'" + bin + "/mged' -c < '" + script + "' > /dev/null 2>&1").c_str()) != 0) return -1;
  std::ifstream in(saved);
  std::stringstream text;
  text << in.rdbuf();
  const std::string view = text.str();
  const std::size_t from = view.find("viewsize"), to = view.find("end;");
  if (from == std::string::npos || to == std::string::npos) return -1;
  std::ofstream(folder + "tessarin_bench_render_view.txt") << view.substr(from, to + 4 - from) << "\n";
  std::string regions;
  for (int material : render::UsedMaterials(model)) regions += " M" + std::to_string(model.materials.materialId[static_cast<std::size_t>(material)]);
  if (render::HasSourceRegion(model, set)) regions += " M_source";
  std::ostringstream command;
  command << "'" << bin << "/rt' -P1 -M -w " << width << " -n " << height << " -V "
          << static_cast<double>(width) / height << " -C255/255/255 -H0 -J0 -l0 -o " << folder
          << "tessarin_bench_render.pix " << folder << "tessarin_bench_render.g" << regions << " < " << folder
          << "tessarin_bench_render_view.txt > /dev/null 2>&1";
  const auto started = Clock::now();
  if (std::system(command.str().c_str()) != 0) return -1;
  return SecondsSince(started);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = "/tmp/";
  std::ofstream(folder + "tessarin_bench_render.inp") << bench::LatticeModelInput();
  settings::VIEWPARM set = settings::DefaultParameterSet();
  set.InputFileFolder = folder;
  set.InputFN = "tessarin_bench_render.inp";
  set.viewSize = 60;
  set.viewCenter = {25, 25, 0.5};
  set.azimuth = 35;
  set.elevation = 25;
  set.showTracks = 0;
  set.raytraceInLingeringWindow = 0;
  set.raytraceInGraphicsWindow = 0;
  input::GeometryModel model;
  input::UnavailableUserCodeEngine engine;
  platform::ScriptedConsole console;
  if (input::ReadInputFile({set, {folder, 1}, console, model, engine}).status != input::InputReadStatus::Loaded) {
    std::fprintf(stderr, "the generated input did not read:\n%s\n", console.text.c_str());
    return 1;
  }
  render::PaletteUsage palette;
  palette.CountRows(set.rows);
  render::RebuildRegionRows(model, set, palette);
  for (settings::REGIONDATA& row : set.rows) row.transparency = 0;

  const long before = ResidentKilobytes();
  auto started = Clock::now();
  const view3d::Scene scene = view3d::SceneOfSet(model, set);
  std::printf("model: %zu cells; engine built in %.3f s, holds %.1f MB (resident memory grew by %.1f MB)\n",
              model.cells.size(), SecondsSince(started), scene.engine->MemoryBytes() / 1e6,
              (ResidentKilobytes() - before) / 1024.0);

  const view3d::ViewSettings view = view3d::ViewOfSet(set);
  view3d::RenderOptions options;
  options.threads = 2;
  started = Clock::now();
  view3d::Picture first;
  view3d::RenderPicture(scene, view, 800, 600, nullptr, options, nullptr, first);
  std::printf("the first 800 x 600 picture, its memory had anew: %.3f s\n", SecondsSince(started));
  constexpr int kRuns = 7;
  const double full = MedianRender(scene, view, 800, 600, nullptr, options, kRuns);
  const double coarse = MedianRender(scene, view, 200, 150, nullptr, options, kRuns);
  std::printf("opaque rows, 2 threads: 800 x 600 in %.3f s, 200 x 150 in %.1f ms (medians of %d)\n", full,
              1000 * coarse, kRuns);
  const view3d::TrackScene tracks = MillionTrackPoints();
  const double withTracks = MedianRender(scene, view, 800, 600, &tracks, options, kRuns);
  std::printf("with %zu track points: 800 x 600 in %.3f s\n", tracks.points.size(), withTracks);

  settings::VIEWPARM translucent = set;
  for (settings::REGIONDATA& row : translucent.rows) row.transparency = 0.3;
  view3d::Scene seeThrough = scene;
  view3d::RefreshLooks(seeThrough, model, translucent);
  std::printf("rows 30 %% transparent: 800 x 600 in %.3f s, 200 x 150 in %.1f ms\n",
              MedianRender(seeThrough, view, 800, 600, nullptr, options, kRuns),
              1000 * MedianRender(seeThrough, view, 200, 150, nullptr, options, kRuns));

  const std::string bin = FindRtFolder(argc, argv);
  if (bin.empty()) {
    std::printf("rt: not found (give the BRL-CAD bin folder as the argument)\n");
    return 0;
  }
  const double rt = TimeRt(bin, model, set, folder, 800, 600);
  if (rt < 0) {
    std::printf("rt: the script, MGED or rt failed\n");
    return 1;
  }
  std::printf("BRL-CAD rt -P1, same database, view and size, opaque rows: %.3f s; the picture here is %.1f times "
              "faster\n",
              rt, rt / full);
  return 0;
}
