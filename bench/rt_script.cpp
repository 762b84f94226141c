// Making the RT script of the 4999-cell lattice model (bench/lattice_model.h). Timed with 20 clipping cycles and with
// none; prints where the time went and the peak memory.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "lattice_model.h"
#include "input/geometry_model.h"
#include "input/input_reader.h"
#include "input/user_code.h"
#include "platform/scripted_console.h"
#include "platform/scripted_host.h"
#include "render/rt_script.h"
#include "settings/viewparm.h"

namespace {

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
  std::ofstream(inputPath) << bench::LatticeModelInput();

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
