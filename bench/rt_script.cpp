// Making the RT script of a 4999-cell model: a 50 x 50 lattice (less one
// site) of RPP boxes inside a shield box, each box holding a rod (an
// infinite cylinder between two planes) that the box excludes; every other
// rod is a transformed copy of the first, and the shield excludes every box
// (and so, through them, every rod). Timed with 20 clipping cycles and with
// none; prints where the time went and the peak memory.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "input/geometry_model.h"
#include "input/input_reader.h"
#include "input/user_code.h"
#include "platform/scripted_console.h"
#include "platform/scripted_host.h"
#include "render/rt_script.h"
#include "settings/viewparm.h"

namespace {

constexpr int kSide = 50;
constexpr int kSites = kSide * kSide - 1;

std::string GenerateInput() {
  std::string text = "COMPLEX_GEOMETRY 1\nM1 \"rod\"\nM2 \"box\"\nM3 \"shield\"\n";
  char line[200];
  std::snprintf(line, sizeof line, "S1 RPP -1 %d -1 %d -1 2\nS2 P 0 0 1 0\nS3 P 0 0 1 1\n", kSide + 1, kSide + 1);
  text += line;
  std::string shield = "C1 3 1 -1";
  for (int site = 0; site < kSites; ++site) {
    const int i = site / kSide, j = site % kSide;
    const int rod = 2 + 2 * site, box = 3 + 2 * site;
    std::snprintf(line, sizeof line, "S%d RPP %d %d %d %d 0 1\n", 10000 + site, i, i + 1, j, j + 1);
    text += line;
    if (site % 2 == 0) {
      std::snprintf(line, sizeof line, "S%d CY %g %g 0 0 0 1 0.3\nC%d 1 1 -%d +2 -3\n", 20000 + site, i + 0.5, j + 0.5,
                    rod, 20000 + site);
    } else {
      // A copy of the first rod moved to this site.
      std::snprintf(line, sizeof line, "TR%d %d %d 0\nC%d 1 1 TR%d 2\n", site, i, j, rod, site);
    }
    text += line;
    std::snprintf(line, sizeof line, "C%d 2 1 -%d #%d\n", box, 10000 + site, rod);
    text += line;
    // Input lines hold at most 1000 characters: continue the shield's line.
    if (site % 100 == 99) shield += " &\n";
    shield += " #" + std::to_string(box);
  }
  return text + shield + "\n";
}

long PeakMemoryKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word)
    if (word == "VmHWM:") {
      long kilobytes = 0;
      status >> kilobytes;
      return kilobytes;
    }
  return -1;
}

}  // namespace

int main() {
  using namespace tessarin;
  const std::string folder = "/tmp/";
  const std::string inputPath = folder + "tessarin_bench_rt_script.inp";
  std::ofstream(inputPath) << GenerateInput();

  settings::VIEWPARM set = settings::DefaultParameterSet();
  set.InputFileFolder = folder;
  set.InputFN = "tessarin_bench_rt_script.inp";
  set.viewSize = 60;
  set.showTracks = 0;
  input::GeometryModel model;
  input::UnavailableUserCodeEngine engine;
  platform::ScriptedConsole console;
  const auto readStarted = std::chrono::steady_clock::now();
  const input::InputReadResult read = input::ReadInputFile({set, {folder, 1}, console, model, engine});
  const double readSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - readStarted).count();
  if (read.status != input::InputReadStatus::Loaded) {
    std::fprintf(stderr, "the generated input did not read:\n%s\n", console.text.c_str());
    return 1;
  }
  std::printf("model: %zu cells, %zu surfaces, %zu macrobodies; read in %.3f s\n", model.cells.size(),
              model.surfaces.size(), model.macrobodies.size(), readSeconds);

  platform::ScriptedHost host;
  for (int iterations : {20, 0}) {
    set.nIterations = iterations;
    const launch::LaunchContext launch{folder, 1};
    const render::RtScriptRequest request{model, set, launch, folder + "tessarin_bench_rt_script.rt",
                                          "tessarin_bench_rt_script", false, host};
    const render::RtScriptResult result = render::WriteRtScript(request);
    if (result.outcome != render::RtScriptOutcome::Written) {
      std::fprintf(stderr, "the script was not written\n");
      return 1;
    }
    const render::RtScriptTimes& t = result.times;
    std::printf(
        "nIterations %2d: %.3f s total; cell loop %.3f s (region tests %.3f s, of which vertex search %.3f s; "
        "clipping iterations %.3f s); writing and the rest %.3f s; script %zu bytes\n",
        iterations, t.totalSeconds, t.cellsSeconds, t.regionTestSeconds, t.vertexSearchSeconds, t.clippingSeconds,
        t.totalSeconds - t.cellsSeconds, result.scriptBytes);
  }
  std::printf("peak memory: %.1f MB\n", PeakMemoryKilobytes() / 1024.0);
  return 0;
}
