// Reading an input file of 5000 cells: a 50 x 50 lattice of RPP boxes, each
// holding a cylindrical rod. Every rod is a cell; every box is a cell that
// excludes its rod and is further bounded by up to 44 diagonal half-spaces,
// most of which the box already implies, so a bounding list holds up to 50
// entries before the redundant ones are dropped. The second benchmark times
// the dropping alone, over the same 5000 lists as the read builds them.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "input/bounding_list.h"
#include "input/directive_context.h"
#include "input/geometry_model.h"
#include "input/input_file.h"
#include "input/input_reader.h"
#include "input/redundant_regions.h"
#include "input/surface_expression.h"
#include "input/token_reader.h"
#include "platform/scripted_console.h"
#include "settings/viewparm.h"

namespace {

constexpr int kSide = 50;  // boxes per row and column
constexpr int kMaxDiagonals = 22;

struct CellSpec {
  int id;
  std::string fill;  // material and concentration, complements
  std::vector<std::string> references;
};

std::string Id(const char* prefix, int id) { return std::string(prefix).append(std::to_string(id)); }
int DiagonalId(int base, int c) { return base + c + 50; }

// The surfaces as directive lines, and the cells.
struct Lattice {
  std::string surfaces;
  std::vector<CellSpec> cells;
};

Lattice GenerateLattice() {
  Lattice lattice;
  char line[200];
  for (int k = 0; k <= kSide; ++k) {
    std::snprintf(line, sizeof line, "S%d P 1 0 0 %d\nS%d P 0 1 0 %d\n", 1 + k, k, 101 + k, k);
    lattice.surfaces += line;
  }
  lattice.surfaces += "S201 P 0 0 1 0\nS202 P 0 0 1 1\n";
  for (int c = -kMaxDiagonals; c <= 2 * kSide; ++c) {
    std::snprintf(line, sizeof line, "S%d P 1 1 0 %d\n", DiagonalId(1000, c), c);
    lattice.surfaces += line;
  }
  for (int c = -kSide; c <= kSide + kMaxDiagonals + 1; ++c) {
    std::snprintf(line, sizeof line, "S%d P 1 -1 0 %d\n", DiagonalId(2000, c), c);
    lattice.surfaces += line;
  }
  for (int i = 0; i < kSide; ++i)
    for (int j = 0; j < kSide; ++j) {
      int n = i * kSide + j;
      std::snprintf(line, sizeof line, "S%d CY %g %g 0 0 0 1 0.3\nS%d RPP %d %d %d %d 0 1\n", 10000 + n, i + 0.5,
                    j + 0.5, 20000 + n, i, i + 1, j, j + 1);
      lattice.surfaces += line;
      CellSpec rod{1 + 2 * n, "1 11.3", {Id("-", 10000 + n), "+201", "-202"}};
      CellSpec box{2 + 2 * n, "2 1 #" + std::to_string(rod.id), {Id("-", 20000 + n)}};
      int diagonals = n % (kMaxDiagonals + 1);
      for (int k = 1; k <= diagonals; ++k) {
        box.references.push_back(Id("+", DiagonalId(1000, i + j - k)));
        box.references.push_back(Id("-", DiagonalId(2000, i - j + 1 + k)));
      }
      lattice.cells.push_back(std::move(rod));
      lattice.cells.push_back(std::move(box));
    }
  return lattice;
}

const Lattice& TheLattice() {
  static const Lattice lattice = GenerateLattice();
  return lattice;
}

std::string InputText() {
  std::string text = "COMPLEX_GEOMETRY 1\nM1\nM2\n" + TheLattice().surfaces;
  for (const CellSpec& cell : TheLattice().cells) {
    text.append("C").append(std::to_string(cell.id)).append(" ").append(cell.fill);
    for (std::size_t k = 0; k < cell.references.size(); ++k)
      text.append(k % 10 == 9 ? " &\n " : " ").append(cell.references[k]);
    text += "\n";
  }
  return text;
}

const std::string& InputFolder() {
  static const std::string folder = [] {
    std::string path = (std::filesystem::temp_directory_path() / "tessarin_bench_cells").string() + "/";
    std::filesystem::create_directories(path);
    std::ofstream(path + "cells.inp", std::ios::binary) << InputText();
    return path;
  }();
  return folder;
}

tessarin::settings::VIEWPARM LatticeSet() {
  tessarin::settings::VIEWPARM set = tessarin::settings::DefaultParameterSet();
  set.InputFileFolder = InputFolder();
  set.InputFN = "cells.inp";
  return set;
}

bool ReadLattice(tessarin::input::GeometryModel& model) {
  using namespace tessarin;
  input::UnavailableUserCodeEngine engine;
  platform::ScriptedConsole console;
  input::InputReadResult result = input::ReadInputFile({LatticeSet(), {InputFolder(), 1}, console, model, engine});
  return result.status == input::InputReadStatus::Loaded && model.cells.size() == 5000;
}

void ReadFiveThousandCells(benchmark::State& state) {
  tessarin::input::GeometryModel model;
  for (auto _ : state) {
    if (!ReadLattice(model)) {
      state.SkipWithError("the generated file was not read as expected");
      break;
    }
  }
  state.counters["cells"] = static_cast<double>(model.cells.size());
  state.counters["maxCellSurfaces"] = model.maxCellSurfaces;
}

// The bounding lists as the cell directives build them, before redundant
// entries are dropped.
std::vector<tessarin::input::BoundingList> UnreducedLists(tessarin::input::GeometryModel& model) {
  using namespace tessarin;
  input::InputFile file;
  platform::ScriptedConsole console;
  input::TokenReader tokens(file, console);
  input::ReaderState readerState;
  readerState.pass = 1;
  input::DirectiveContext context(model, tokens, console, readerState);
  std::vector<input::BoundingList> lists;
  for (const CellSpec& cell : TheLattice().cells) {
    input::BoundingList list;
    input::SurfaceExpression expression(context, input::ExpressionOwner::Cell, cell.id, list);
    for (const std::string& reference : cell.references) {
      std::optional<std::string> token = reference;
      if (expression.AddBoundingToken(token) == input::BoundingTokenResult::Failed) std::abort();
    }
    lists.push_back(std::move(list));
  }
  return lists;
}

void RemoveRedundantRegionsOfFiveThousandCells(benchmark::State& state) {
  tessarin::input::GeometryModel model;
  if (!ReadLattice(model)) {
    state.SkipWithError("the generated file was not read as expected");
    return;
  }
  const std::vector<tessarin::input::BoundingList> lists = UnreducedLists(model);
  std::size_t entries = 0, kept = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<tessarin::input::BoundingList> work = lists;
    state.ResumeTiming();
    entries = kept = 0;
    for (tessarin::input::BoundingList& list : work) {
      entries += list.surfaces.size();
      tessarin::input::RemoveRedundantRegions(model, list);
      kept += list.surfaces.size();
    }
  }
  state.counters["entries"] = static_cast<double>(entries);
  state.counters["kept"] = static_cast<double>(kept);
}

}  // namespace

BENCHMARK(ReadFiveThousandCells)->Unit(benchmark::kMillisecond);
BENCHMARK(RemoveRedundantRegionsOfFiveThousandCells)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
