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

// The machine's load average over the last minute: the figures mean little
// on a machine busy with other work.
std::string Load() {
  std::ifstream average("/proc/loadavg");
  std::string minute = "?";
  average >> minute;
  return "load " + minute;
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
    if (view3d::RenderPicture(scene, view, width, height, tracks, options, nullptr, picture, &workspace) !=
        view3d::RenderOutcome::Finished)
      std::abort();
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

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The database the set's RT script builds and the view it sets, as rt reads
// it, in `folder`. MGED takes many minutes over the lattice's script, so
// the database of the last run is kept and used again while the script is
// the same. False when the script, MGED or its saved view failed.
bool PrepareRtDatabase(const std::string& bin, input::GeometryModel& model, const settings::VIEWPARM& set,
                       const std::string& folder) {
  platform::ScriptedHost host;
  const std::string script = folder + "tessarin_bench_render.rt", built = script + ".built";
  const std::string viewFile = folder + "tessarin_bench_render_view.txt";
  const launch::LaunchContext launch{folder, 1};
  const render::RtScriptRequest request{model, set, launch, script, "tessarin_bench_render", false, host};
  if (render::WriteRtScript(request).outcome != render::RtScriptOutcome::Written) return false;
  const std::string saved = folder + "tessarin_bench_render_view.sh";
  std::ofstream(script, std::ios::app) << "saveview " << saved << "\n";
  const std::string text = FileText(script);
  if (text == FileText(built) && std::filesystem::exists(folder + "tessarin_bench_render.g") &&
      std::filesystem::exists(viewFile)) {
    std::printf("rt: the database of an earlier run of the same script is used again\n");
    return true;
  }
  std::filesystem::remove(built);
  std::printf("rt: MGED builds the database from the set's RT script (this takes long)\n");
  if (std::system(("'" + bin + "/mged' -c < '" + script + "' > /dev/null 2>&1").c_str()) != 0) return false;
  const std::string view = FileText(saved);
  const std::size_t from = view.find("viewsize"), to = view.find("end;");
  if (from == std::string::npos || to == std::string::npos) return false;
  std::ofstream(viewFile) << view.substr(from, to + 4 - from) << "\n";
  std::ofstream(built) << text;
  return true;
}

// rt -P1 on the prepared database from the saved view; the seconds it took,
// or a negative number when it failed.
double TimeRt(const std::string& bin, const input::GeometryModel& model, const settings::VIEWPARM& set,
              const std::string& folder, int width, int height) {
  std::string regions;
  for (int material : render::UsedMaterials(model))
    regions += " M" + std::to_string(model.materials.materialId[static_cast<std::size_t>(material)]);
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
  // Line by line, so that a long run shows how far it is.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const std::string folder = std::filesystem::temp_directory_path().string() + "/";
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
  std::printf("model: %zu cells; engine built in %.3f s, holds %.1f MB (resident memory grew by %.1f MB; %s)\n",
              model.cells.size(), SecondsSince(started), scene.engine->MemoryBytes() / 1e6,
              (ResidentKilobytes() - before) / 1024.0, Load().c_str());

  const view3d::ViewSettings view = view3d::ViewOfSet(set);
  view3d::RenderOptions options;
  options.threads = 2;
  started = Clock::now();
  view3d::Picture first;
  if (view3d::RenderPicture(scene, view, 800, 600, nullptr, options, nullptr, first) != view3d::RenderOutcome::Finished)
    return 1;
  std::printf("the first 800 x 600 picture, its memory had anew: %.3f s (%s)\n", SecondsSince(started),
              Load().c_str());
  constexpr int kRuns = 7;
  const double full = MedianRender(scene, view, 800, 600, nullptr, options, kRuns);
  const double coarse = MedianRender(scene, view, 200, 150, nullptr, options, kRuns);
  std::printf("opaque rows, 2 threads: 800 x 600 in %.3f s, 200 x 150 in %.1f ms (medians of %d; %s)\n", full,
              1000 * coarse, kRuns, Load().c_str());
  const view3d::TrackScene tracks = MillionTrackPoints();
  const double withTracks = MedianRender(scene, view, 800, 600, &tracks, options, kRuns);
  std::printf("with %zu track points: 800 x 600 in %.3f s (%s)\n", tracks.points.size(), withTracks,
              Load().c_str());

  settings::VIEWPARM translucent = set;
  for (settings::REGIONDATA& row : translucent.rows) row.transparency = 0.3;
  view3d::Scene seeThrough = scene;
  view3d::RefreshLooks(seeThrough, model, translucent);
  const double translucentFull = MedianRender(seeThrough, view, 800, 600, nullptr, options, kRuns);
  const double translucentCoarse = MedianRender(seeThrough, view, 200, 150, nullptr, options, kRuns);
  std::printf("rows 30 %% transparent: 800 x 600 in %.3f s, 200 x 150 in %.1f ms (%s)\n", translucentFull,
              1000 * translucentCoarse, Load().c_str());

  const std::string bin = FindRtFolder(argc, argv);
  if (bin.empty()) {
    std::printf("rt: not found (give the BRL-CAD bin folder as the argument)\n");
    return 0;
  }
  const double rt = PrepareRtDatabase(bin, model, set, folder) ? TimeRt(bin, model, set, folder, 800, 600) : -1;
  if (rt < 0) {
    std::printf("rt: the script, MGED or rt failed\n");
    return 1;
  }
  // Ours again right after rt, so that both meet the same load.
  const double after = MedianRender(scene, view, 800, 600, nullptr, options, kRuns);
  std::printf("BRL-CAD rt -P1, same database, view and size, opaque rows: %.3f s (%s); ours just after: %.3f s, "
              "%.1f times faster\n",
              rt, Load().c_str(), after, rt / after);
  return 0;
}
