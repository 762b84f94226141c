#include <chrono>
#include <ostream>
#include <string>
#include <vector>

#include "app/cli/commands.h"
#include "app/cli/option_names.h"
#include "app/cli/set_geometry.h"
#include "platform/format_text.h"
#include "preview/cell_ray_engine.h"
#include "preview/fault_text.h"
#include "preview/overlap_search.h"
#include "preview/set_world.h"

namespace tessarin::cli {
namespace {

constexpr CommandDescription kOverlaps{
    "overlaps",
    "Usage: tessarin-cli overlaps FILE [--set N] [--rays N] [--threads N]\n"
    "                [--region X0,Y0,Z0,X1,Y1,Z1] [--json]\n"
    "                [--time-limit SECONDS] [--allow-system] [--allow-files]\n"
    "\n"
    "Reads the input file of a parameter set of the parameter file FILE and\n"
    "searches its geometry for overlaps (places that two or more cells hold)\n"
    "and undefined regions (places that no cell holds but the cells enclose:\n"
    "a particle there is lost). Casts rays along each axis through a grid of N\n"
    "rays along the region's longest side, all in the region (default: the view\n"
    "cube, the view centre plus and minus half the view size, cut to where the\n"
    "cells are). Every cell along a ray is found as an exact stretch, so a fault\n"
    "a ray crosses is found however thin it is; finer rays then measure it.\n"
    "Space in no cell that can be reached from outside the cells is outside the\n"
    "model, not undefined. Stretches within the distance precision are ignored.\n"
    "\n"
    "Prints each overlapping pair of cells once and each undefined region once,\n"
    "with a point inside it in cm, its estimated volume and the box around it:\n"
    "  overlap: C12 and C31 at (1.5, 0, -2.25), 0.125 cm3 within (1, -1, -3) to (2, 1, -1.5)\n"
    "  undefined: no cell at (3.5, 0, 0), 0.5 cm3 within (3, -1, -1) to (4, 1, 1), around C3, C4\n"
    "Two cells of one union are marked \"(both in UNIONn)\". When more than eight\n"
    "cells all hold one place, they are listed in one line. A closing line\n"
    "tells what was found, in how many cells, with how many rays and how long.\n"
    "With --json the same as one JSON document.\n"
    "\n"
    "Exit status 0 when nothing was found; 1 when something was, or the input\n"
    "file could not be read or has errors; 2 for bad usage.\n"
    "\n"
    "  --set N       use set N (counting from 1) instead of the file's current set\n"
    "  --rays N      rays along the region's longest side (default 400)\n"
    "  --threads N   tracing threads (default: one per processor)\n"
    "  --region ...  the box to search, two opposite corners in cm\n"
    "  --json        print a JSON document\n"
    TESSARIN_USER_PROGRAM_OPTIONS_HELP};

std::string PointJson(const input::Vec3& p) { return platform::FormatText("[%.9g, %.9g, %.9g]", p.x, p.y, p.z); }

void PrintText(const input::GeometryModel& model, const preview::OverlapSearchResult& result, std::ostream& out) {
  for (const preview::OverlapFinding& overlap : result.overlaps) out << preview::OverlapLine(model, overlap) << "\n";
  for (const preview::UndefinedFinding& gap : result.undefined) out << preview::UndefinedLine(model, gap) << "\n";
}

void PrintNames(const input::GeometryModel& model, const std::vector<int>& cells, std::ostream& out) {
  for (std::size_t c = 0; c < cells.size(); ++c)
    out << (c ? ", " : "") << "\"" << preview::CellName(model, cells[c]) << "\"";
}

void PrintExtentJson(const preview::FaultExtent& e, std::ostream& out) {
  out << "\"at\": " << PointJson(e.at) << ", \"volume\": " << platform::FormatText("%.6g", e.volume)
      << ", \"low\": " << PointJson(e.bounds.low) << ", \"high\": " << PointJson(e.bounds.high);
}

void PrintJson(const input::GeometryModel& model, const preview::OverlapSearchResult& result,
               const std::string& closing, std::ostream& out) {
  out << "{\n  \"cells\": " << model.cells.size() << ",\n  \"raysCast\": " << result.raysCast
      << ",\n  \"complete\": " << (result.cancelled ? "false" : "true") << ",\n  \"overlaps\": [";
  for (std::size_t k = 0; k < result.overlaps.size(); ++k) {
    const preview::OverlapFinding& overlap = result.overlaps[k];
    out << (k ? ",\n" : "\n") << "    {\"cells\": [";
    PrintNames(model, overlap.cells, out);
    out << "], ";
    if (const int shared = preview::SharedUnion(model, overlap.cells)) out << "\"union\": " << shared << ", ";
    PrintExtentJson(overlap.extent, out);
    out << "}";
  }
  out << (result.overlaps.empty() ? "],\n" : "\n  ],\n") << "  \"undefined\": [";
  for (std::size_t k = 0; k < result.undefined.size(); ++k) {
    const preview::UndefinedFinding& gap = result.undefined[k];
    out << (k ? ",\n" : "\n") << "    {";
    PrintExtentJson(gap.extent, out);
    out << ", \"bordering\": [";
    PrintNames(model, gap.borderingCells, out);
    out << "]}";
  }
  out << (result.undefined.empty() ? "],\n" : "\n  ],\n") << "  \"summary\": \"" << closing << "\"\n}\n";
}

// A whole number option within limits; false after a usage message.
bool WholeOption(const ParsedArguments& arguments, const char* option, long long min, long long max, long long& value,
                 CommandIo& io) {
  const std::optional<std::string> text = arguments.Value(option);
  if (!text) return true;
  const std::optional<long long> parsed = ParseWholeNumber(*text, min, max);
  if (!parsed) {
    ReportUsageError(kOverlaps, platform::FormatText("%s takes a whole number from %lld to %lld", option, min, max),
                     io);
    return false;
  }
  value = *parsed;
  return true;
}

}  // namespace

int RunOverlapsCommand(const std::vector<std::string>& args, CommandIo& io) {
  ArgumentSpec spec;
  spec.minPositional = 1;
  spec.maxPositional = 1;
  spec.flags = {kJsonFlag};
  spec.valueOptions = {kSetOption, kRaysOption, kThreadsOption, kRegionOption};
  AddUserProgramOptions(spec);
  CommandStep<ParsedArguments> arguments = ParseCommandArguments(args, spec, kOverlaps, io);
  if (!arguments) return arguments.ExitCode();
  std::optional<UserProgramOptions> programOptions = ReadUserProgramOptions(*arguments, kOverlaps, io);
  if (!programOptions) return kExitUsage;

  long long rays = 400, threads = 0;
  if (!WholeOption(*arguments, kRaysOption, 1, 4000, rays, io) ||
      !WholeOption(*arguments, kThreadsOption, 1, 256, threads, io))
    return kExitUsage;
  std::optional<std::array<double, 6>> corners;
  if (auto text = arguments->Value(kRegionOption)) {
    corners = ParseSextuple(*text);
    if (!corners || (*corners)[0] == (*corners)[3] || (*corners)[1] == (*corners)[4] ||
        (*corners)[2] == (*corners)[5]) {
      ReportUsageError(kOverlaps, "--region takes two opposite corners X0,Y0,Z0,X1,Y1,Z1 of a box", io);
      return kExitUsage;
    }
  }

  CommandStep<SetGeometry> geometry = LoadSetGeometry(*arguments, *programOptions, kOverlaps, io);
  if (!geometry) return geometry.ExitCode();

  const auto started = std::chrono::steady_clock::now();
  const settings::VIEWPARM& set = geometry->set;
  preview::OverlapSearchOptions options;
  preview::Box3 wanted = preview::ViewCube(preview::ViewCentreOf(set), set.viewSize);
  if (corners) {
    const std::array<double, 6>& c = *corners;
    wanted = {{std::min(c[0], c[3]), std::min(c[1], c[4]), std::min(c[2], c[5])},
              {std::max(c[0], c[3]), std::max(c[1], c[4]), std::max(c[2], c[5])}};
  }
  const preview::Box3 world = preview::WorldCubeOf(set);
  const std::vector<preview::CellBound> bounds = preview::FindCellBounds(geometry->model, world, 24);
  options.region = preview::SearchRegion(wanted, bounds);
  options.raysPerSide = static_cast<int>(rays);
  options.threads = static_cast<int>(threads);
  const raytrace::RayEngine engine = preview::RayEngineOver(geometry->model, world, bounds);
  const preview::OverlapSearchResult result = preview::SearchOverlaps(engine, options);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  const std::string closing = preview::ClosingLine(geometry->model, result, seconds);
  if (arguments->Has(kJsonFlag)) {
    PrintJson(geometry->model, result, closing, io.out);
  } else {
    PrintText(geometry->model, result, io.out);
    io.out << closing << "\n";
  }
  return geometry->selected.ExitCode(result.Clean() && !result.cancelled ? kExitSuccess : kExitFailure);
}

}  // namespace tessarin::cli
