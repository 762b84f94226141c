#include "render/script_check/ray_check.h"

#include <cmath>
#include <regex>
#include <sstream>

#include "render/script_check/mged_runner.h"

namespace tessarin::render::script_check {
namespace {

// nirt prints four decimals.
constexpr double kPrintedPrecision = 2e-3;

}  // namespace

std::vector<RayQuery> ShootRays(const std::string& databasePath, const std::vector<std::string>& regions,
                                const std::vector<Ray>& rays, std::string* preparation) {
  std::ostringstream commands;
  commands.precision(17);
  for (const Ray& ray : rays)
    commands << "xyz " << ray.origin.x << " " << ray.origin.y << " " << ray.origin.z << "; dir " << ray.direction.x
             << " " << ray.direction.y << " " << ray.direction.z << "; s; ";
  std::string output = RunNirt(databasePath, regions, commands.str());
  static const std::regex segment(R"(^(\S+)\s+\(\s*(\S+)\s+(\S+)\s+(\S+)\s*\)\s+(\S+))");
  // Each shot's report begins with its "Origin" line.
  std::vector<RayQuery> queries;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("Origin (x y z)", 0) == 0) {
      if (queries.size() == rays.size()) break;
      queries.emplace_back();
    }
    if (queries.empty()) {
      if (preparation) *preparation += line + "\n";
      continue;
    }
    RayQuery& query = queries.back();
    const Ray& ray = rays[queries.size() - 1];
    query.output += line + "\n";
    if (line.find("OVERLAP") != std::string::npos) query.overlap = true;
    std::smatch match;
    if (!std::regex_search(line, match, segment) || match[1] == "Origin" || match[1] == "Direction") continue;
    Vec3 entry{std::strtod(match[2].str().c_str(), nullptr), std::strtod(match[3].str().c_str(), nullptr),
               std::strtod(match[4].str().c_str(), nullptr)};
    query.segments.push_back(
        {match[1], input::Dot(entry - ray.origin, ray.direction), std::strtod(match[5].str().c_str(), nullptr)});
  }
  queries.resize(rays.size());
  return queries;
}

std::vector<std::string> CompareAlongRay(const ScriptGeometry& script, const RayQuery& query, const Ray& ray,
                                         double reach, double step) {
  std::vector<std::string> disagreements;
  double unit = script.ModelLengthPerUnit();
  for (double t = 0.5 * step; t < reach; t += step) {
    bool nearEnd = false;
    for (const RaySegment& s : query.segments)
      nearEnd = nearEnd || std::fabs(t - s.start) < kPrintedPrecision ||
                std::fabs(t - s.start - s.length) < kPrintedPrecision;
    Vec3 modelPoint = unit * (ray.origin + t * ray.direction);
    if (nearEnd || script.BoundaryDistance(modelPoint) < kPrintedPrecision * unit) continue;
    for (const std::string& region : script.Regions()) {
      bool brlcad = false;
      for (const RaySegment& s : query.segments)
        brlcad = brlcad || (s.region == region && t > s.start && t < s.start + s.length);
      if (brlcad == script.Contains(region, modelPoint)) continue;
      std::ostringstream text;
      text << region << " at distance " << t << ": BRL-CAD " << (brlcad ? "inside" : "outside") << ", script reader "
           << (brlcad ? "outside" : "inside");
      disagreements.push_back(text.str());
    }
  }
  return disagreements;
}

}  // namespace tessarin::render::script_check
