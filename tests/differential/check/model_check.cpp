#include "differential/check/model_check.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <regex>
#include <sstream>

#include "platform/scripted_host.h"
#include "preview/cell_ray_engine.h"
#include "preview/point_locator.h"
#include "preview/set_world.h"
#include "raytrace/ray_walk.h"
#include "render/region_rows.h"
#include "render/rt_script.h"
#include "render/script_check/mged_runner.h"
#include "render/script_check/model_cells.h"
#include "render/script_check/model_reading.h"
#include "render/script_check/ray_check.h"
#include "render/script_check/script_geometry.h"
#include "support/test_files.h"

namespace tessarin::differential {
namespace {

using input::Vec3;
namespace check = render::script_check;

constexpr std::size_t kKeptFindings = 12;
// Points nearer than this part of the view size to a surface are left out:
// the script's numbers are rounded to fifteen digits.
constexpr double kBoundaryFraction = 1e-8;
// nirt prints four decimals of the script's unit.
constexpr double kNirtPrecision = 2e-3;

std::string At(const Vec3& p) {
  std::ostringstream text;
  text.precision(10);
  text << "(" << p.x << ", " << p.y << ", " << p.z << ")";
  return text.str();
}

std::string CellList(const input::GeometryModel& model, const std::vector<int>& cells) {
  std::string text = "{";
  for (std::size_t k = 0; k < cells.size(); ++k)
    text += (k ? ", C" : "C") + std::to_string(model.cells[static_cast<std::size_t>(cells[k])].id);
  return text + "}";
}

// What the script cuts every cell to: the world cube and the cut-away plane.
struct Frame {
  preview::Box3 world;
  bool cutaway = false;
  Vec3 cutPoint, cutNormal;
  double tolerance = 0;

  bool Kept(const Vec3& p) const { return !cutaway || Dot(cutNormal, p - cutPoint) < 0; }
  double EdgeDistance(const Vec3& p) const {
    double nearest = HUGE_VAL;
    for (int axis = 0; axis < 3; ++axis) {
      nearest = std::min(nearest, std::fabs(preview::Component(p, axis) - preview::Component(world.low, axis)));
      nearest = std::min(nearest, std::fabs(preview::Component(p, axis) - preview::Component(world.high, axis)));
    }
    if (cutaway) nearest = std::min(nearest, std::fabs(Dot(cutNormal, p - cutPoint)));
    return nearest;
  }
};

Frame FrameOf(const settings::VIEWPARM& set) {
  Frame frame;
  frame.world = preview::WorldCubeOf(set);
  const Vec3 normal{set.cutawayPlaneNormal.x, set.cutawayPlaneNormal.y, set.cutawayPlaneNormal.z};
  frame.cutaway = set.useCutawayPlane != 0 && Norm(normal) > 0;
  if (frame.cutaway) {
    frame.cutPoint = {set.cutawayPlanePoint.x, set.cutawayPlanePoint.y, set.cutawayPlanePoint.z};
    frame.cutNormal = Unit(normal);
  }
  // World coordinates far from the origin lose digits in the script too.
  const Vec3 far = preview::Component(frame.world.high, 0) > 0 ? frame.world.high : frame.world.low;
  frame.tolerance = kBoundaryFraction * set.viewSize + 1e-13 * Norm(far);
  return frame;
}

// Points to compare at: the world cube, the view cube, around the cells'
// interior points and the surfaces' features (apexes, centres, axes) at all
// scales, and rows along lines across the view.
std::vector<Vec3> SamplePoints(const input::GeometryModel& model, const settings::VIEWPARM& set, const Frame& frame,
                               const CheckOptions& options) {
  std::mt19937_64 random(options.seed);
  std::uniform_real_distribution<double> unit(-1, 1);
  auto direction = [&] {
    for (;;) {
      const Vec3 v{unit(random), unit(random), unit(random)};
      if (Norm(v) > 0.1 && Norm(v) <= 1) return Unit(v);
    }
  };
  const Vec3 centre = 0.5 * (frame.world.low + frame.world.high);
  const double worldHalf = 0.5 * (frame.world.high.x - frame.world.low.x);
  const double view = set.viewSize;
  std::vector<Vec3> anchors;  // interior points and features
  for (const input::CellRecord& cell : model.cells)
    if (cell.hasInteriorPoint) anchors.push_back(cell.interiorPoint);
  for (const input::SurfaceRecord& surface : model.surfaces) {
    anchors.push_back(surface.point);
    if (surface.kind == input::SurfaceKind::Sphere) anchors.push_back(surface.point + surface.radius * direction());
  }
  std::vector<Vec3> points;
  std::uniform_real_distribution<double> exponent(std::log10(1e-5 * view), std::log10(worldHalf));
  for (int i = 0; i < options.points; ++i) {
    const int kind = i % 10;
    if (kind < 3) {
      points.push_back(centre + 1.02 * worldHalf * Vec3{unit(random), unit(random), unit(random)});
    } else if (kind < 6 || anchors.empty()) {
      const Vec3 viewCentre = preview::ViewCentreOf(set);
      points.push_back(viewCentre + 0.5 * view * Vec3{unit(random), unit(random), unit(random)});
    } else {
      const Vec3& anchor = anchors[random() % anchors.size()];
      points.push_back(anchor + std::pow(10.0, exponent(random)) * direction());
    }
  }
  for (int line = 0; line < options.lines; ++line) {
    const Vec3 through = preview::ViewCentreOf(set) + 0.5 * view * Vec3{unit(random), unit(random), unit(random)};
    const Vec3 along = direction();
    const double reach = line % 2 ? view : worldHalf;
    for (int k = 0; k < options.pointsPerLine; ++k)
      points.push_back(through + (reach * (2.0 * (k + 0.5) / options.pointsPerLine - 1)) * along);
  }
  return points;
}

class Comparison {
 public:
  Comparison(const input::GeometryModel& model, const check::ScriptGeometry& script,
             const preview::PointLocator& locator, const Frame& frame, double minimumConeRadius, CheckReport& report)
      : model_(model), cells_(model), script_(script), locator_(locator), frame_(frame),
        coneAllowance_(minimumConeRadius + frame.tolerance), report_(report) {
    for (const input::CellRecord& cell : model.cells) {
      names_.push_back("C" + std::to_string(cell.id));
      for (int surface : cell.surfaces)
        if (model.surfaces[static_cast<std::size_t>(surface)].kind == input::SurfaceKind::Cone)
          cones_.push_back(surface);
    }
  }

  void Note(const std::string& line) {
    ++report_.differences;
    if (report_.findings.size() < kKeptFindings) report_.findings.push_back(line);
  }

  // The input's cells at a point in the world; none near a surface (false).
  // The script's cones are a little wider, their tips cut off at a minimum
  // radius.
  bool InputCells(const Vec3& p, std::vector<int>& holding) const {
    holding.clear();
    if (cells_.BoundaryDistance(p) < frame_.tolerance || frame_.EdgeDistance(p) < frame_.tolerance) return false;
    for (int cone : cones_)
      if (std::fabs(check::SurfaceSide(model_.surfaces[static_cast<std::size_t>(cone)], p)) < coneAllowance_)
        return false;
    if (!frame_.world.Contains(p)) return true;
    for (int i = 0; i < static_cast<int>(model_.cells.size()); ++i)
      if (cells_.InCell(i, p)) holding.push_back(i);
    return true;
  }

  std::vector<std::string> RegionsOf(const std::vector<int>& holding) const {
    std::vector<std::string> regions;
    for (int cell : holding)
      regions.push_back(check::ScriptRegionName(model_.materials, model_.cells[static_cast<std::size_t>(cell)].material));
    std::sort(regions.begin(), regions.end());
    regions.erase(std::unique(regions.begin(), regions.end()), regions.end());
    return regions;
  }

  void ComparePoint(const Vec3& p) {
    std::vector<int> expected;
    if (!InputCells(p, expected) || script_.BoundaryDistance(p) < frame_.tolerance) return;
    ++report_.comparedPoints;
    const bool kept = frame_.Kept(p);
    for (int i = 0; i < static_cast<int>(model_.cells.size()); ++i) {
      const bool wanted = kept && std::find(expected.begin(), expected.end(), i) != expected.end();
      if (script_.Contains(names_[static_cast<std::size_t>(i)], p) == wanted) continue;
      Note("script: " + names_[static_cast<std::size_t>(i)] + (wanted ? " lacks " : " holds ") + At(p) +
           (wanted ? ", which the input puts in it" : ", which the input does not put in it"));
    }
    const preview::PointCells found = locator_.Locate(p, scratch_);
    const std::vector<int> located(found.inside.begin(), found.inside.begin() + found.Kept());
    std::vector<int> wanted = expected;
    if (wanted.size() > static_cast<std::size_t>(preview::kKeptCells)) wanted.resize(preview::kKeptCells);
    if (found.insideCount != static_cast<int>(expected.size()) || located != wanted)
      Note("locator: " + At(p) + " in " + CellList(model_, located) + ", the input has it in " +
           CellList(model_, expected));
  }

  // The ray engine's cells along a line, at points in a row: each point lies
  // in exactly the stretches of the cells the input puts it in.
  void CompareEngine(const raytrace::RayEngine& engine, const Vec3& through, const Vec3& along, double reach,
                     int points) {
    const raytrace::Ray ray{through - reach * along, along};
    engine.Trace(ray, 0, 2 * reach, trace_, spans_);
    for (int k = 0; k < points; ++k) {
      const double t = 2 * reach * (k + 0.5) / points;
      const Vec3 p = ray.At(t);
      std::vector<int> expected;
      if (!InputCells(p, expected) || !frame_.world.Contains(p)) continue;
      std::vector<int> found;
      for (const raytrace::CellSpan& piece : spans_)
        if (piece.span.entry < t && t < piece.span.exit) found.push_back(piece.cell);
      std::sort(found.begin(), found.end());
      found.erase(std::unique(found.begin(), found.end()), found.end());
      ++report_.engineComparedPoints;
      if (found != expected)
        Note("engine: " + At(p) + " in " + CellList(model_, found) + ", the input has it in " +
             CellList(model_, expected));
    }
  }

  // The nirt answer of one ray against the input, in script units `unit`.
  // Where the input's cells overlap, nirt names one region and reports the
  // overlap; an overlap the input does not have is a finding.
  void CompareRay(const check::Ray& ray, const check::RayQuery& query, double unit, double length) {
    const std::vector<Overlap> overlaps = Overlaps(query.output, ray);
    for (const Overlap& overlap : overlaps) {
      const Vec3 middle = unit * (ray.origin + (overlap.start + 0.5 * overlap.length) * ray.direction);
      std::vector<int> holding;
      if (overlap.length < 2 * kNirtPrecision || !InputCells(middle, holding) ||
          cells_.BoundaryDistance(middle) < kNirtPrecision * unit)
        continue;
      const std::vector<std::string> regions = RegionsOf(holding);
      if (!Holds(regions, overlap.first) || !Holds(regions, overlap.second))
        Note("nirt: overlap of " + overlap.first + " and " + overlap.second + " at " + At(middle) +
             ", the input has " + CellList(model_, holding));
    }
    std::vector<check::RaySegment> segments = query.segments;
    std::sort(segments.begin(), segments.end(),
              [](const check::RaySegment& a, const check::RaySegment& b) { return a.start < b.start; });
    double covered = 0;
    auto stretch = [&](double from, double to, const std::string& region) {
      if (to - from < 2 * kNirtPrecision) return;
      const double at = 0.5 * (from + to);
      const Vec3 middle = unit * (ray.origin + at * ray.direction);
      std::vector<int> holding;
      if (!InputCells(middle, holding) || cells_.BoundaryDistance(middle) < kNirtPrecision * unit) return;
      if (!frame_.Kept(middle)) holding.clear();
      const std::vector<std::string> regions = RegionsOf(holding);
      const bool overlapped = std::any_of(overlaps.begin(), overlaps.end(), [&](const Overlap& overlap) {
        return at > overlap.start && at < overlap.start + overlap.length;
      });
      if (region.empty() ? regions.empty() : (regions == std::vector<std::string>{region} ||
                                              (overlapped && Holds(regions, region))))
        return;
      Note("nirt: " + (region.empty() ? std::string("no region") : region) + " at " + At(middle) +
           ", the input has " + CellList(model_, holding));
    };
    for (const check::RaySegment& segment : segments) {
      stretch(covered, segment.start, "");
      stretch(segment.start, segment.start + segment.length, segment.region);
      covered = std::max(covered, segment.start + segment.length);
    }
    stretch(covered, length, "");
  }

 private:
  struct Overlap {
    std::string first, second;
    double start = 0, length = 0;  // along the ray, script units
  };

  static bool Holds(const std::vector<std::string>& regions, const std::string& region) {
    return std::find(regions.begin(), regions.end(), region) != regions.end();
  }

  // nirt's lines "OVERLAP: 'A' and 'B' xyz_in=(x y z) los=L".
  static std::vector<Overlap> Overlaps(const std::string& output, const check::Ray& ray) {
    static const std::regex line(R"(OVERLAP: '([^']+)' and '([^']+)' xyz_in=\(\s*(\S+)\s+(\S+)\s+(\S+)\s*\) los=(\S+))");
    std::vector<Overlap> overlaps;
    for (std::sregex_iterator it(output.begin(), output.end(), line), end; it != end; ++it) {
      const std::smatch& match = *it;
      const Vec3 entry{std::stod(match[3]), std::stod(match[4]), std::stod(match[5])};
      overlaps.push_back({match[1], match[2], Dot(entry - ray.origin, ray.direction), std::stod(match[6])});
    }
    return overlaps;
  }

  const input::GeometryModel& model_;
  check::ModelCells cells_;
  raytrace::TraceScratch trace_;
  std::vector<raytrace::CellSpan> spans_;
  const check::ScriptGeometry& script_;
  const preview::PointLocator& locator_;
  const Frame& frame_;
  double coneAllowance_;
  CheckReport& report_;
  std::vector<std::string> names_;
  std::vector<int> cones_;
  preview::LocatorScratch scratch_;
};

void CompareWithBrlcad(const std::string& scriptPath, const std::string& text, const check::ScriptGeometry& script,
                       const settings::VIEWPARM& set, const CheckOptions& options, Comparison& comparison,
                       CheckReport& report) {
  if (!check::BrlcadBinFolder()) return;
  report.brlcadRan = true;
  const check::MgedRun run = check::RunThroughMged(scriptPath);
  for (std::size_t k = 0; k < run.errorLines.size() && k < 3; ++k) comparison.Note("mged: " + run.errorLines[k]);
  if (!run.passed && run.errorLines.empty()) comparison.Note("mged: failed\n" + run.transcript);
  if (script.Regions().empty()) return;
  const double unit = script.ModelLengthPerUnit();
  const Frame frame = FrameOf(set);
  const Vec3 centre = (1 / unit) * (0.5 * (frame.world.low + frame.world.high));
  const double reach = 0.5 * std::sqrt(3.0) * 1.01 * (frame.world.high.x - frame.world.low.x) / unit;
  std::mt19937_64 random(options.seed + 1);
  std::uniform_real_distribution<double> coordinate(-1, 1);
  std::vector<check::Ray> rays;
  for (int k = 0; k < options.nirtRays; ++k) {
    const Vec3 target = (1 / unit) * (preview::ViewCentreOf(set) +
                                      0.5 * set.viewSize * Vec3{coordinate(random), coordinate(random), coordinate(random)});
    Vec3 along{coordinate(random), coordinate(random), coordinate(random)};
    if (Norm(along) < 0.1) along = {1, 0.1, 0.2};
    along = Unit(along);
    rays.push_back({target - (reach + Norm(target - centre)) * along, along});
  }
  std::string preparation;
  const std::vector<check::RayQuery> queries =
      check::ShootRays(check::DatabasePath(text), script.Regions(), rays, &preparation);
  // A solid MGED cannot prepare is left out of every picture.
  std::istringstream lines(preparation);
  for (std::string line; std::getline(lines, line);)
    if (line.find("prep failure") != std::string::npos || line.find("not convex") != std::string::npos)
      comparison.Note("nirt: " + line);
  for (std::size_t k = 0; k < rays.size() && k < queries.size(); ++k) {
    if (queries[k].output.empty()) continue;
    ++report.nirtRays;
    comparison.CompareRay(rays[k], queries[k], unit, 2 * (reach + Norm(rays[k].origin - centre)));
  }
}

}  // namespace

std::string CheckReport::Describe() const {
  std::ostringstream out;
  if (!read) return "the input could not be read\n" + (findings.empty() ? std::string() : findings.front());
  out << differences << " differences at " << comparedPoints << " compared points";
  if (brlcadRan) out << " and " << nirtRays << " nirt rays";
  out << "\n";
  for (const std::string& line : findings) out << "  " << line << "\n";
  return out.str();
}

namespace {

// Lines across the view and the world, each walked by the engine the
// geometry view and the fault search use.
void CompareEngineAlongLines(const input::GeometryModel& model, const settings::VIEWPARM& set, const Frame& frame,
                             const CheckOptions& options, Comparison& comparison) {
  const raytrace::RayEngine engine = preview::BuildRayEngine(model, frame.world);
  std::mt19937_64 random(options.seed + 2);
  std::uniform_real_distribution<double> unit(-1, 1);
  const double worldHalf = 0.5 * (frame.world.high.x - frame.world.low.x);
  for (int line = 0; line < options.engineLines; ++line) {
    Vec3 along{unit(random), unit(random), unit(random)};
    if (Norm(along) < 0.1) along = {0.2, 1, 0.1};
    // Every third line runs along an axis, as the fault search's rays do.
    if (line % 3 == 2) along = line % 2 ? Vec3{1, 0, 0} : Vec3{0, 0, 1};
    const Vec3 through = preview::ViewCentreOf(set) + 0.5 * set.viewSize * Vec3{unit(random), unit(random), unit(random)};
    comparison.CompareEngine(engine, through, Unit(along), line % 2 ? set.viewSize : worldHalf, options.pointsPerLine);
  }
}

}  // namespace

CheckReport CheckModel(const std::string& input, const ModelView& view, const CheckOptions& options) {
  CheckReport report;
  tessarin::testing::TempDir folder;
  tessarin::testing::WriteWholeFile(folder.File("model.inp"), input);
  settings::VIEWPARM set = check::SetForInput(folder.File("model.inp"), folder.path());
  view.ApplyTo(set);
  set.sourceSizeRatio = 0;
  check::ReadModel read = check::ReadSetInput(set, folder.path());
  report.read = read.loaded;
  if (!read.loaded) {
    report.findings.push_back(read.console);
    ++report.differences;
    return report;
  }
  input::GeometryModel& model = read.model;
  const Frame frame = FrameOf(set);
  // The locator first, on the model as read: the script writer must not be
  // what makes it right.
  const preview::PointLocator locator(model, frame.world);

  render::PaletteUsage palette;
  palette.CountRows(set.rows);
  render::RebuildRegionRows(model, set, palette);
  platform::ScriptedHost host;
  const std::string scriptPath = folder.File("model.rt");
  const launch::LaunchContext launch{folder.path(), 1};
  const render::RtScriptRequest request{model, set, launch, scriptPath, "model", false, host, nullptr};
  if (render::WriteRtScript(request).outcome != render::RtScriptOutcome::Written) {
    report.findings.push_back("script: not written");
    ++report.differences;
    return report;
  }
  const std::string text = tessarin::testing::ReadWholeFile(scriptPath);
  std::string error;
  const std::optional<check::ScriptGeometry> script = check::ScriptGeometry::Parse(text, error);
  if (!script) {
    report.findings.push_back("script: " + error);
    ++report.differences;
    return report;
  }
  // The script's smallest cone radius.
  Comparison comparison(model, *script, locator, frame, 1e-4 * set.viewSize, report);
  for (const Vec3& p : SamplePoints(model, set, frame, options)) comparison.ComparePoint(p);
  CompareEngineAlongLines(model, set, frame, options, comparison);
  if (options.brlcad) CompareWithBrlcad(scriptPath, text, *script, set, options, comparison, report);
  return report;
}

}  // namespace tessarin::differential
