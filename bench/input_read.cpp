// Reading an input file of 10000 surfaces: planes, spheres, cylinders and
// cones, and RPP and BOX macrobodies whose facets make up the rest, each
// defined where no earlier surface lies, so that every one is compared with
// all before it.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "input/geometry_model.h"
#include "input/input_reader.h"
#include "platform/scripted_console.h"
#include "settings/viewparm.h"

namespace {

constexpr int kGroups = 1000;  // 10 surfaces each

std::string GenerateInput() {
  std::string text = "COMPLEX_GEOMETRY 1\nTR1 0 0 0 30 0\n";
  char line[200];
  int id = 1;
  for (int i = 0; i < kGroups; ++i) {
    double x = i * 10.0;
    double shift = i * 0.0001;  // keeps the bodies' faces apart from each other
    std::snprintf(line, sizeof line, "S%d P 1 0 0 %.17g\n", id++, x + 0.5);
    text += line;
    std::snprintf(line, sizeof line, "S%d S %.17g 0 0 1\n", id++, x);
    text += line;
    std::snprintf(line, sizeof line, "S%d CY %.17g 0 0 0 1 0 0.5\n", id++, x);
    text += line;
    std::snprintf(line, sizeof line, "S%d CO %.17g 5 0 0 0 1 30\n", id++, x);
    text += line;
    if (i % 2 == 0)
      std::snprintf(line, sizeof line, "S%d RPP %.17g %.17g %.17g %.17g %.17g %.17g\n", id++, x + 1, x + 2, 1 + shift,
                    2 + shift, 1 + shift, 3 + shift);
    else
      std::snprintf(line, sizeof line, "S%d 1 BOX %.17g %.17g %.17g 1 0 0 0 1 0 0 0 1\n", id++, x + 1, 1 + shift,
                    1 + shift);
    text += line;
  }
  return text;
}

const std::string& InputFolder() {
  static const std::string folder = [] {
    std::string path = (std::filesystem::temp_directory_path() / "tessarin_bench_input").string() + "/";
    std::filesystem::create_directories(path);
    std::ofstream(path + "surfaces.inp", std::ios::binary) << GenerateInput();
    return path;
  }();
  return folder;
}

void ReadTenThousandSurfaces(benchmark::State& state) {
  using namespace tessarin;
  settings::VIEWPARM set = settings::DefaultParameterSet();
  set.InputFileFolder = InputFolder();
  set.InputFN = "surfaces.inp";
  input::UnavailableUserCodeEngine engine;
  input::GeometryModel model;
  for (auto _ : state) {
    platform::ScriptedConsole console;
    // The file has no cells on purpose; what was read is checked below.
    static_cast<void>(input::ReadInputFile({set, {InputFolder(), 1}, console, model, engine}));
    if (model.surfaces.size() != 10000 || console.text != "Error: There are no cells defined.\n") {
      state.SkipWithError("the generated file was not read as expected");
      break;
    }
  }
  state.counters["surfaces"] = static_cast<double>(model.surfaces.size());
}

}  // namespace

BENCHMARK(ReadTenThousandSurfaces)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
