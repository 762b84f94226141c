// The overlap search on lattices of boxes with planted faults: a 10 x 10 x 10
// lattice with 10 overlaps and 10 enclosed gaps from 1e-4 to 1e-1 cm thick,
// a 25 x 20 x 20 lattice (10,000 cells) with 50 of each, and 2,326 identical
// boxes in a box. For each: the time, whether every planted fault was found
// once with its cells, and anything else found. Given BRL-CAD's bin folder,
// it also writes the 1000-box lattice's RT script, builds the database with
// mged and times `gqa -Ao` on it in the same run (mged takes a minute for
// 1000 boxes and did not finish the 10,000 in 24 minutes on this machine;
// a second argument `all` asks for the larger one too).
//
// Usage: bench_fault_search [BRLCAD_BIN [all]]

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "input/geometry_model.h"
#include "input/input_reader.h"
#include "input/user_code.h"
#include "platform/scripted_console.h"
#include "platform/scripted_host.h"
#include "preview/cell_ray_engine.h"
#include "preview/overlap_search.h"
#include "preview/set_world.h"
#include "render/region_rows.h"
#include "render/rt_script.h"
#include "settings/viewparm.h"

namespace {

using namespace tessarin;

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Planted {
  bool overlap = false;
  int box = 0, neighbour = 0;  // cell indices: the moved box and the one across its moved face
  int axis = 0;
  double thickness = 0;
  preview::Vec3 centre;  // of the slab between them
};

struct Lattice {
  std::array<int, 3> size{};
  std::vector<Planted> faults;
  std::string text;  // surfaces and the first cell
  // Per cell: its six planes as surface ids (low x, high x, low y, ...).
  std::vector<std::array<int, 6>> planes;
};

int BoxIndex(const std::array<int, 3>& size, const std::array<int, 3>& at) {
  return at[0] + size[0] * (at[1] + size[1] * at[2]);
}

// Faults at interior boxes far enough apart that no two touch.
Lattice PlantedLattice(std::array<int, 3> size, int perKind) {
  Lattice lattice;
  lattice.size = size;
  const int cells = size[0] * size[1] * size[2];
  std::vector<std::array<int, 6>>& planes = lattice.planes;
  planes.resize(static_cast<std::size_t>(cells));
  std::ostringstream surfaces;
  surfaces.precision(17);
  surfaces << "COMPLEX_GEOMETRY 1\nM1 \"even\"\nM2 \"odd\"\n";
  // Plane k of axis a is surface 1 + a * 1000 + k.
  for (int axis = 0; axis < 3; ++axis)
    for (int k = 0; k <= size[static_cast<std::size_t>(axis)]; ++k)
      surfaces << "S" << 1 + axis * 1000 + k << " P " << (axis == 0) << " " << (axis == 1) << " " << (axis == 2) << " "
               << k << "\n";
  for (int c = 0; c < cells; ++c) {
    const std::array<int, 3> at{c % size[0], (c / size[0]) % size[1], c / (size[0] * size[1])};
    for (int axis = 0; axis < 3; ++axis) {
      planes[static_cast<std::size_t>(c)][static_cast<std::size_t>(2 * axis)] =
          1 + axis * 1000 + at[static_cast<std::size_t>(axis)];
      planes[static_cast<std::size_t>(c)][static_cast<std::size_t>(2 * axis + 1)] =
          2 + axis * 1000 + at[static_cast<std::size_t>(axis)];
    }
  }
  std::set<int> touched;
  std::mt19937 random(12345);
  int nextSurface = 5000;
  for (int f = 0, tries = 0; f < 2 * perKind && tries < 100000; ++tries) {
    std::array<int, 3> at{};
    for (std::size_t a = 0; a < 3; ++a) at[a] = 1 + static_cast<int>(random() % static_cast<unsigned>(size[a] - 2));
    const int axis = f % 3;
    std::array<int, 3> across = at;
    ++across[static_cast<std::size_t>(axis)];
    if (across[static_cast<std::size_t>(axis)] >= size[static_cast<std::size_t>(axis)] - 1) continue;
    bool clear = true;
    for (int dz = -1; dz <= 1; ++dz)
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          for (const std::array<int, 3>& box : {at, across})
            clear = clear && !touched.count(BoxIndex(size, {box[0] + dx, box[1] + dy, box[2] + dz}));
    if (!clear) continue;
    touched.insert(BoxIndex(size, at));
    touched.insert(BoxIndex(size, across));
    Planted planted;
    planted.overlap = f < perKind;
    planted.box = BoxIndex(size, at);
    planted.neighbour = BoxIndex(size, across);
    planted.axis = axis;
    const int step = planted.overlap ? f : f - perKind;
    planted.thickness = 1e-4 * std::pow(1000.0, perKind > 1 ? step / double(perKind - 1) : 0.0);
    const double face =
        at[static_cast<std::size_t>(axis)] + 1 + (planted.overlap ? planted.thickness : -planted.thickness);
    surfaces << "S" << nextSurface << " P " << (axis == 0) << " " << (axis == 1) << " " << (axis == 2) << " " << face
             << "\n";
    planes[static_cast<std::size_t>(planted.box)][static_cast<std::size_t>(2 * axis + 1)] = nextSurface++;
    planted.centre = {at[0] + 0.5, at[1] + 0.5, at[2] + 0.5};
    preview::Component(planted.centre, axis) =
        at[static_cast<std::size_t>(axis)] + 1 + (planted.overlap ? 0.5 : -0.5) * planted.thickness;
    lattice.faults.push_back(planted);
    ++f;
  }
  const std::array<int, 6>& first = planes.front();
  surfaces << "C1 1 1 +" << first[0] << " -" << first[1] << " +" << first[2] << " -" << first[3] << " +" << first[4]
           << " -" << first[5] << "\n";
  lattice.text = surfaces.str();
  return lattice;
}

struct ReadModel {
  settings::VIEWPARM set = settings::DefaultParameterSet();
  input::GeometryModel model;
  bool loaded = false;
};

ReadModel Read(const std::string& folder, const std::string& name, const std::string& text, double viewSize,
               const preview::Vec3& centre) {
  ReadModel read;
  std::ofstream(folder + name) << text;
  read.set.InputFileFolder = folder;
  read.set.InputFN = name;
  read.set.viewSize = viewSize;
  read.set.viewCenter = {centre.x, centre.y, centre.z};
  read.set.showTracks = 0;
  input::UnavailableUserCodeEngine engine;
  platform::ScriptedConsole console;
  read.loaded = input::ReadInputFile({read.set, {folder, 1}, console, read.model, engine}).status ==
                input::InputReadStatus::Loaded;
  if (!read.loaded) std::fprintf(stderr, "%s did not read:\n%s\n", name.c_str(), console.text.c_str());
  return read;
}

// The lattice's other cells, made like the first: beyond the reader's
// 5,000 cells, which the search does not depend on.
void AddCells(const Lattice& lattice, input::GeometryModel& model) {
  const input::CellRecord first = model.cells.front();
  const auto cells = static_cast<int>(lattice.planes.size());
  for (int c = 0; c < cells; ++c) {
    input::CellRecord cell = first;
    cell.id = c + 1;
    const std::array<int, 3>& size = lattice.size;
    const int parity = (c % size[0] + (c / size[0]) % size[1] + c / (size[0] * size[1])) % 2;
    cell.material = model.materials.Find(parity + 1);
    for (std::size_t k = 0; k < 6; ++k)
      cell.surfaces[k] =
          static_cast<std::uint16_t>(model.FindRegularSurface(lattice.planes[static_cast<std::size_t>(c)][k]));
    if (c == 0)
      model.cells.front() = cell;
    else
      model.cells.push_back(cell);
  }
  model.cellTransforms.resize(model.cells.size());
}

double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// `seconds`: wall-clock time; `cpu`: processor time of all threads.
preview::OverlapSearchResult Search(const ReadModel& read, double& seconds, double& cpu) {
  const auto started = std::chrono::steady_clock::now();
  const double cpuStarted = CpuSeconds();
  const preview::Box3 world = preview::WorldCubeOf(read.set);
  const std::vector<preview::CellBound> bounds = preview::FindCellBounds(read.model, world, 24);
  const raytrace::RayEngine engine = preview::RayEngineOver(read.model, world, bounds);
  preview::OverlapSearchOptions options;
  options.region = preview::SearchRegion(preview::ViewCube(preview::ViewCentreOf(read.set), read.set.viewSize), bounds);
  const preview::OverlapSearchResult result = preview::SearchOverlaps(engine, options);
  seconds = SecondsSince(started);
  cpu = CpuSeconds() - cpuStarted;
  return result;
}

// Each planted fault found once, with its cells; anything else is a false alarm.
void Compare(const Lattice& lattice, const preview::OverlapSearchResult& result) {
  int overlapsFound = 0, gapsFound = 0, falseAlarms = 0;
  std::vector<int> seen(lattice.faults.size(), 0);
  for (const preview::OverlapFinding& overlap : result.overlaps) {
    bool planted = false;
    for (std::size_t f = 0; f < lattice.faults.size(); ++f) {
      const Planted& p = lattice.faults[f];
      if (p.overlap && overlap.cells == std::vector<int>{std::min(p.box, p.neighbour), std::max(p.box, p.neighbour)}) {
        planted = true;
        ++seen[f];
      }
    }
    planted ? ++overlapsFound : ++falseAlarms;
  }
  for (const preview::UndefinedFinding& gap : result.undefined) {
    bool planted = false;
    for (std::size_t f = 0; f < lattice.faults.size(); ++f) {
      const Planted& p = lattice.faults[f];
      const std::vector<int>& around = gap.borderingCells;
      if (!p.overlap && gap.extent.bounds.Grown(1e-9).Contains(p.centre) &&
          std::count(around.begin(), around.end(), p.box) && std::count(around.begin(), around.end(), p.neighbour)) {
        planted = true;
        ++seen[f];
      }
    }
    planted ? ++gapsFound : ++falseAlarms;
  }
  int missed = 0, twice = 0;
  for (std::size_t f = 0; f < lattice.faults.size(); ++f) {
    if (seen[f] == 0) {
      ++missed;
      std::printf("  missed: %s %.1e cm thick at (%g, %g, %g)\n", lattice.faults[f].overlap ? "overlap" : "gap",
                  lattice.faults[f].thickness, lattice.faults[f].centre.x, lattice.faults[f].centre.y,
                  lattice.faults[f].centre.z);
    }
    if (seen[f] > 1) ++twice;
  }
  std::printf(
      "  planted faults found: %d overlaps and %d gaps of %zu; missed %d; told more than once %d; "
      "false alarms %d\n",
      overlapsFound, gapsFound, lattice.faults.size(), missed, twice, falseAlarms);
}

void RunGqa(ReadModel& read, const std::string& folder, const std::string& name, const std::string& bin) {
  render::PaletteUsage palette;
  palette.CountRows(read.set.rows);
  render::RebuildRegionRows(read.model, read.set, palette);
  platform::ScriptedHost host;
  const std::string script = folder + name + ".rt";
  auto started = std::chrono::steady_clock::now();
  const launch::LaunchContext launch{folder, 1};
  const render::RtScriptRequest request{read.model, read.set, launch, script, name, false, host};
  if (render::WriteRtScript(request).outcome != render::RtScriptOutcome::Written) {
    std::printf("  gqa: the RT script was not written\n");
    return;
  }
  std::printf("  RT script written in %.2f s\n", SecondsSince(started));
  const std::string database = folder + name + ".g";
  std::remove(database.c_str());
  started = std::chrono::steady_clock::now();
  const std::string mged = "cd '" + folder + "' && '" + bin + "/mged' -c '" + database + "' < '" + script + "' > '" +
                           folder + name + ".mged.txt' 2>&1";
  if (std::system(mged.c_str()) != 0) std::printf("  mged failed\n");
  std::printf("  mged built the database in %.2f s\n", SecondsSince(started));
  const std::string output = folder + name + ".gqa.txt";
  started = std::chrono::steady_clock::now();
  const std::string gqa = "'" + bin + "/gqa' -Ao '" + database + "' M1 M2 > '" + output + "' 2>&1";
  const int status = std::system(gqa.c_str());
  const double seconds = SecondsSince(started);
  std::ifstream lines(output);
  std::string line;
  std::set<std::string> pairs;
  while (std::getline(lines, line))
    if (line.rfind("/", 0) == 0 && line.find("count:") != std::string::npos)
      pairs.insert(line.substr(0, line.find(" count:")));
  std::printf("  gqa -Ao: %.2f s (status %d); overlapping region pairs it names: %zu", seconds, status, pairs.size());
  for (const std::string& pair : pairs) std::printf(" [%s]", pair.c_str());
  std::printf("\n");
}

void BenchLattice(const std::string& folder, std::array<int, 3> size, int perKind, const std::string& bin) {
  const Lattice lattice = PlantedLattice(size, perKind);
  const std::string name = "lattice_" + std::to_string(lattice.planes.size());
  const preview::Vec3 centre{size[0] / 2.0, size[1] / 2.0, size[2] / 2.0};
  ReadModel read = Read(folder, name + ".inp", lattice.text, 1.2 * std::max({size[0], size[1], size[2]}), centre);
  if (!read.loaded) return;
  AddCells(lattice, read.model);
  double seconds = 0, cpu = 0;
  const preview::OverlapSearchResult result = Search(read, seconds, cpu);
  std::printf(
      "%zu boxes, %d planted overlaps and %d planted gaps, 1e-4 to 1e-1 cm:\n  search %.2f s (processor %.2f s), "
      "%lld rays, %zu overlaps and %zu undefined regions told\n",
      read.model.cells.size(), perKind, perKind, seconds, cpu, result.raysCast, result.overlaps.size(),
      result.undefined.size());
  Compare(lattice, result);
  if (!bin.empty()) RunGqa(read, folder, name, bin);
}

void BenchIdenticalBoxes(const std::string& folder, int count) {
  std::ostringstream text;
  text << "COMPLEX_GEOMETRY 1\nM1 \"w\"\n";
  for (int s = 1; s <= count; ++s) text << "S" << s << " RPP -1 1 -1 1 -1 1\n";
  text << "S" << count + 1 << " RPP -5 5 -5 5 -5 5\n";
  for (int c = 1; c <= count; ++c) text << "C" << c << " 1 -1 -" << c << "\n";
  text << "C" << count + 1 << " 0 -" << count + 1 << " #1\n";
  const auto started = std::chrono::steady_clock::now();
  const ReadModel read = Read(folder, "identical.inp", text.str(), 12, {});
  if (!read.loaded) return;
  const double readSeconds = SecondsSince(started);
  double seconds = 0, cpu = 0;
  const preview::OverlapSearchResult result = Search(read, seconds, cpu);
  std::printf("%d identical boxes: read %.2f s, search %.2f s (processor %.2f s), %lld rays; %zu findings", count,
              readSeconds, seconds, cpu, result.raysCast, result.overlaps.size());
  if (!result.overlaps.empty()) std::printf(", the first of %zu cells", result.overlaps.front().cells.size());
  std::printf(", %zu undefined\n", result.undefined.size());
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const std::string bin = argc > 1 ? argv[1] : "";
  char pattern[] = "/tmp/tessarin_fault_bench.XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const std::string folder = std::string(pattern) + "/";
  const bool gqaOnAll = argc > 2 && std::string(argv[2]) == "all";
  BenchLattice(folder, {10, 10, 10}, 10, bin);
  BenchLattice(folder, {25, 20, 20}, 50, gqaOnAll ? bin : "");
  BenchIdenticalBoxes(folder, 2326);
  std::system(("rm -rf '" + folder + "'").c_str());
  return 0;
}
