#include "render/script_check/membership_check.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>

#include "render/script_check/model_cells.h"

namespace tessarin::render::script_check {
namespace {

constexpr const char* kSourceRegion = "M_source";

Vec3 Of(const settings::Vector3& v) { return {v.x, v.y, v.z}; }

// The world the script cuts everything to, and the source sphere it draws.
struct Frame {
  Vec3 centre;
  double half = 0;
  bool cutaway = false;
  Vec3 cutPoint, cutNormal;
  bool source = false;
  bool sourceSubtracted = false;
  Vec3 sourceCentre;
  double sourceRadius = 0;

  bool InWorld(const Vec3& p) const {
    Vec3 d = p - centre;
    if (std::fabs(d.x) >= half || std::fabs(d.y) >= half || std::fabs(d.z) >= half) return false;
    return !cutaway || input::Dot(cutNormal, p - cutPoint) < 0;
  }
  // The world's faces count as nearer by a part in 1e5 of its size, so that
  // the rounding of its written bounds cannot make a difference.
  double BoundaryDistance(const Vec3& p) const {
    Vec3 d = p - centre;
    double nearest = std::min({std::fabs(half - std::fabs(d.x)), std::fabs(half - std::fabs(d.y)),
                               std::fabs(half - std::fabs(d.z))}) -
                     1e-5 * half;
    if (cutaway) nearest = std::min(nearest, std::fabs(input::Dot(cutNormal, p - cutPoint)));
    if (source) nearest = std::min(nearest, std::fabs(input::Norm(p - sourceCentre) - sourceRadius));
    return nearest;
  }
  bool InSource(const Vec3& p) const { return source && input::Norm(p - sourceCentre) < sourceRadius; }
};

Frame FrameOf(const input::GeometryModel& model, const settings::VIEWPARM& set) {
  Frame frame;
  frame.centre = Of(set.viewCenter);
  frame.half = 0.5 * set.viewSize * set.maximumObjectSizeRatio;
  Vec3 normal = Of(set.cutawayPlaneNormal);
  frame.cutaway = set.useCutawayPlane != 0 && input::Norm(normal) > 0;
  if (frame.cutaway) {
    frame.cutPoint = Of(set.cutawayPlanePoint);
    frame.cutNormal = input::Unit(normal);
  }
  frame.source = model.source.positionType < 3 && set.sourceSizeRatio > 0;
  frame.sourceCentre = model.source.centre;
  frame.sourceRadius = 0.5 * set.sourceSizeRatio * set.viewSize;
  frame.sourceSubtracted = true;
  for (const settings::REGIONDATA& row : set.rows)
    if (row.name == kSourceRegion && !row.show) frame.sourceSubtracted = false;
  return frame;
}

// Half the points in the view cube, a tenth in the whole world, the rest
// near the cells' own interior points (small cells get their share).
std::vector<Vec3> SamplePoints(const input::GeometryModel& model, const settings::VIEWPARM& set, const Frame& frame,
                               const MembershipOptions& options) {
  std::mt19937_64 random(options.seed);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  auto around = [&](const Vec3& centre, double half) {
    return centre + half * Vec3{unit(random), unit(random), unit(random)};
  };
  std::vector<Vec3> interior;
  for (const input::CellRecord& cell : model.cells)
    if (cell.hasInteriorPoint) interior.push_back(cell.interiorPoint);
  std::vector<Vec3> points;
  points.reserve(static_cast<std::size_t>(options.samples));
  for (int i = 0; i < options.samples; ++i) {
    int bucket = i % 10;
    if (bucket < 5 || (bucket >= 6 && interior.empty()))
      points.push_back(around(frame.centre, 0.5 * set.viewSize));
    else if (bucket == 5)
      points.push_back(around(frame.centre, frame.half * 1.05));
    else
      points.push_back(around(interior[static_cast<std::size_t>(i) % interior.size()], 0.05 * set.viewSize));
  }
  if (frame.source)
    for (int i = 0; i < options.samples / 50; ++i) points.push_back(around(frame.sourceCentre, 2 * frame.sourceRadius));
  return points;
}

std::string List(const std::vector<std::string>& names) {
  std::string text = "{";
  for (std::size_t i = 0; i < names.size(); ++i) text += (i ? ", " : "") + names[i];
  return text + "}";
}

}  // namespace

std::string MembershipReport::Describe(std::size_t limit) const {
  std::ostringstream out;
  out.precision(10);
  out << disagreements.size() << " of " << compared << " compared points disagree (" << sampled << " sampled, "
      << insideSomeCell << " inside a cell)\n";
  for (std::size_t i = 0; i < disagreements.size() && i < limit; ++i) {
    const Disagreement& d = disagreements[i];
    out << "  at (" << d.point.x << ", " << d.point.y << ", " << d.point.z << "): input " << List(d.expected)
        << ", script " << List(d.found) << "\n";
  }
  return out.str();
}

MembershipReport CompareMembership(const input::GeometryModel& model, const settings::VIEWPARM& set,
                                   const ScriptGeometry& script, const MembershipOptions& options) {
  Frame frame = FrameOf(model, set);
  ModelCells cells(model);
  double tolerance = options.boundaryFraction * set.viewSize;
  MembershipReport report;
  for (const Vec3& point : SamplePoints(model, set, frame, options)) {
    ++report.sampled;
    if (cells.BoundaryDistance(point) < tolerance || frame.BoundaryDistance(point) < tolerance ||
        script.BoundaryDistance(point) < tolerance)
      continue;
    ++report.compared;
    std::vector<std::string> expected;
    bool inSource = frame.InSource(point);
    if (frame.InWorld(point) && !(inSource && frame.sourceSubtracted)) expected = cells.RegionsAt(point);
    if (!expected.empty()) ++report.insideSomeCell;
    if (inSource) expected.push_back(kSourceRegion);
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> found;
    for (const std::string& region : script.Regions())
      if (script.Contains(region, point)) found.push_back(region);
    std::sort(found.begin(), found.end());
    if (found != expected) report.disagreements.push_back({point, expected, found});
  }
  return report;
}

}  // namespace tessarin::render::script_check
