#include <ostream>

#include "app/cli/commands.h"
#include "app/cli/selected_set.h"
#include "app/cli/set_geometry.h"
#include "platform/format_text.h"
#include "preview/overlap_search.h"
#include "preview/point_locator.h"
#include "preview/set_world.h"

namespace tessarin::cli {
namespace {

constexpr CommandDescription kOverlaps{
    "overlaps",
    "Usage: tessarin-cli overlaps FILE [--set N] [--slices K] [--pixels N]\n"
    "                [--points M] [--seed S] [--region X0,Y0,Z0,X1,Y1,Z1]\n"
    "                [--json] [--time-limit SECONDS] [--allow-system] [--allow-files]\n"
    "\n"
    "Reads the input file of a parameter set of the parameter file FILE and\n"
    "searches its geometry for overlaps (points that two or more cells hold)\n"
    "and undefined regions (points that no cell holds but the cells enclose: a\n"
    "particle there is lost). Looks at K slices across each axis, each scanned\n"
    "on a grid of N points along its longer side, and at M random points, all\n"
    "in the region (default: the view cube, the view centre plus and minus half\n"
    "the view size). A point in no cell is undefined when, within its slice,\n"
    "it cannot be reached from the region's edge without crossing a cell.\n"
    "Points on a surface (within the distance precision) belong to no cell\n"
    "and are never an overlap.\n"
    "\n"
    "Prints each overlapping pair of cells once and each undefined region once,\n"
    "with one point of it in cm:\n"
    "  overlap: C12 and C31 at (1.5, 0, -2.25)\n"
    "  undefined: no cell at (3.5, 0, 0)\n"
    "With --json the same as one JSON document.\n"
    "\n"
    "Exit status 0 when nothing was found; 1 when something was, or the input\n"
    "file could not be read or has errors; 2 for bad usage.\n"
    "\n"
    "  --set N       use set N (counting from 1) instead of the file's current set\n"
    "  --slices K    slices per axis (default 16)\n"
    "  --pixels N    grid points along a slice's longer side (default 200)\n"
    "  --points M    random points (default 100000)\n"
    "  --seed S      seed of the random points (default 1)\n"
    "  --region ...  the box to search, two opposite corners in cm\n"
    "  --json        print a JSON document\n"
    TESSARIN_USER_PROGRAM_OPTIONS_HELP};

constexpr const char* kSetOption = "--set";
constexpr const char* kSlicesOption = "--slices";
constexpr const char* kPixelsOption = "--pixels";
constexpr const char* kPointsOption = "--points";
constexpr const char* kSeedOption = "--seed";
constexpr const char* kRegionOption = "--region";
constexpr const char* kJsonFlag = "--json";

std::string CellName(const input::GeometryModel& model, int cell) {
  return platform::FormatText("C%d", model.cells[static_cast<std::size_t>(cell)].id);
}

std::string PointText(const input::Vec3& p) { return platform::FormatText("(%g, %g, %g)", p.x, p.y, p.z); }
std::string PointJson(const input::Vec3& p) { return platform::FormatText("[%.9g, %.9g, %.9g]", p.x, p.y, p.z); }

void PrintText(const input::GeometryModel& model, const preview::OverlapSearchResult& result, std::ostream& out) {
  for (const preview::OverlapFinding& overlap : result.overlaps)
    out << "overlap: " << CellName(model, overlap.firstCell) << " and " << CellName(model, overlap.secondCell)
        << " at " << PointText(overlap.at) << "\n";
  for (const preview::UndefinedFinding& gap : result.undefined) out << "undefined: no cell at " << PointText(gap.at) << "\n";
}

void PrintJson(const input::GeometryModel& model, const preview::OverlapSearchResult& result, std::ostream& out) {
  out << "{\n  \"pointsTested\": " << result.pointsTested << ",\n  \"overlaps\": [";
  for (std::size_t k = 0; k < result.overlaps.size(); ++k) {
    const preview::OverlapFinding& overlap = result.overlaps[k];
    out << (k ? ",\n" : "\n") << "    {\"cells\": [\"" << CellName(model, overlap.firstCell) << "\", \""
        << CellName(model, overlap.secondCell) << "\"], \"at\": " << PointJson(overlap.at) << "}";
  }
  out << (result.overlaps.empty() ? "],\n" : "\n  ],\n") << "  \"undefined\": [";
  for (std::size_t k = 0; k < result.undefined.size(); ++k) {
    const preview::UndefinedFinding& gap = result.undefined[k];
    out << (k ? ",\n" : "\n") << "    {\"at\": " << PointJson(gap.at) << ", \"bordering\": [";
    for (std::size_t c = 0; c < gap.borderingCells.size(); ++c)
      out << (c ? ", " : "") << "\"" << CellName(model, gap.borderingCells[c]) << "\"";
    out << "]}";
  }
  out << (result.undefined.empty() ? "]\n" : "\n  ]\n") << "}\n";
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
  spec.valueOptions = {kSetOption, kSlicesOption, kPixelsOption, kPointsOption, kSeedOption, kRegionOption};
  AddUserProgramOptions(spec);
  int exitCode = kExitSuccess;
  std::optional<ParsedArguments> arguments = ParseCommandArguments(args, spec, kOverlaps, io, exitCode);
  if (!arguments) return exitCode;
  std::optional<UserProgramOptions> programOptions = ReadUserProgramOptions(*arguments, kOverlaps, io);
  if (!programOptions) return kExitUsage;

  long long slices = 16, pixels = 200, points = 100000, seed = 1;
  if (!WholeOption(*arguments, kSlicesOption, 0, 1000, slices, io) ||
      !WholeOption(*arguments, kPixelsOption, 1, 4000, pixels, io) ||
      !WholeOption(*arguments, kPointsOption, 0, 100000000, points, io) ||
      !WholeOption(*arguments, kSeedOption, 0, 4294967295LL, seed, io))
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

  std::optional<SelectedSet> selected =
      LoadSelectedSet(arguments->positional.front(), arguments->Value(kSetOption), kOverlaps, io, exitCode);
  if (!selected) return exitCode;
  std::optional<SetGeometry> geometry =
      ReadSetGeometry(*selected, *programOptions, kOverlaps, io, exitCode);
  if (!geometry) return exitCode;

  const settings::VIEWPARM& set = geometry->set;
  const input::Vec3 centre = preview::ViewCentreOf(set);
  preview::OverlapSearchOptions options;
  options.region = preview::ViewCube(centre, set.viewSize);
  if (corners) {
    const std::array<double, 6>& c = *corners;
    options.region = {{std::min(c[0], c[3]), std::min(c[1], c[4]), std::min(c[2], c[5])},
                      {std::max(c[0], c[3]), std::max(c[1], c[4]), std::max(c[2], c[5])}};
  }
  options.slicesPerAxis = static_cast<int>(slices);
  options.pixels = static_cast<int>(pixels);
  options.randomPoints = static_cast<int>(points);
  options.seed = static_cast<unsigned>(seed);
  const preview::PointLocator locator(geometry->model, preview::WorldCubeOf(set));
  const preview::OverlapSearchResult result = preview::SearchOverlaps(locator, options);
  if (arguments->Has(kJsonFlag)) PrintJson(geometry->model, result, io.out);
  else PrintText(geometry->model, result, io.out);
  return result.Clean() ? kExitSuccess : kExitFailure;
}

}  // namespace tessarin::cli
