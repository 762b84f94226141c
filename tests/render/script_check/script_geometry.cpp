#include "render/script_check/script_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace tessarin::render::script_check {
namespace {

constexpr int kMaxNesting = 200;

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  std::string word;
  while (in >> word) words.push_back(word);
  return words;
}

std::optional<double> Number(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<double> UnitCentimetres(const std::string& unit) {
  static const std::map<std::string, double> units = {
      {"mm", 0.1}, {"cm", 1}, {"m", 100}, {"km", 1e5}, {"in", 2.54}, {"ft", 30.48}, {"um", 1e-4}};
  auto found = units.find(unit);
  if (found == units.end()) return std::nullopt;
  return found->second;
}

// The number in "... = %g cm." at the end of the coordinate banner.
std::optional<double> BannerCentimetres(const std::string& line) {
  std::size_t marker = line.find("Coordinate conversion: 1 MGED centimeter = ");
  if (marker == std::string::npos) return std::nullopt;
  std::size_t end = line.find(" cm.", marker);
  std::size_t start = line.rfind("= ", end);
  if (end == std::string::npos || start == std::string::npos) return std::nullopt;
  return Number(line.substr(start + 2, end - start - 2));
}

Vec3 At(const std::vector<double>& v, std::size_t i) { return {v[i], v[i + 1], v[i + 2]}; }

// Calls `visit` with the signed distance to each plane of a convex solid
// (negative inside).
template <class Visit>
void ForEachPlaneDistance(const Primitive& p, const Vec3& x, Visit&& visit) {
  auto face = [&](const Vec3& normal, const Vec3& through, const Vec3& inside) {
    double length = input::Norm(normal);
    if (length == 0) return;
    Vec3 n = (1.0 / length) * normal;
    if (input::Dot(n, inside - through) > 0) n = -n;
    visit(input::Dot(n, x - through));
  };
  const std::vector<double>& v = p.values;
  switch (p.kind) {
    case PrimitiveKind::Rpp:
      for (int axis = 0; axis < 3; ++axis) {
        double lo = std::min(v[2 * axis], v[2 * axis + 1]), hi = std::max(v[2 * axis], v[2 * axis + 1]);
        double c = axis == 0 ? x.x : axis == 1 ? x.y : x.z;
        visit(lo - c);
        visit(c - hi);
      }
      break;
    case PrimitiveKind::Box: {
      Vec3 V = At(v, 0), A = At(v, 3), B = At(v, 6), C = At(v, 9);
      Vec3 centre = V + 0.5 * (A + B + C);
      face(input::Cross(B, C), V, centre);
      face(input::Cross(B, C), V + A, centre);
      face(input::Cross(C, A), V, centre);
      face(input::Cross(C, A), V + B, centre);
      face(input::Cross(A, B), V, centre);
      face(input::Cross(A, B), V + C, centre);
      break;
    }
    case PrimitiveKind::Arb4: {
      std::array<Vec3, 4> q = {At(v, 0), At(v, 3), At(v, 6), At(v, 9)};
      Vec3 centre = 0.25 * (q[0] + q[1] + q[2] + q[3]);
      for (int skip = 0; skip < 4; ++skip) {
        std::array<Vec3, 3> f;
        int k = 0;
        for (int i = 0; i < 4; ++i)
          if (i != skip) f[static_cast<std::size_t>(k++)] = q[static_cast<std::size_t>(i)];
        face(input::Cross(f[1] - f[0], f[2] - f[0]), f[0], centre);
      }
      break;
    }
    case PrimitiveKind::Arbn:
      // Each plane a x + b y + c z = d with its normal pointing out.
      for (std::size_t i = 1; i + 3 < v.size(); i += 4) {
        Vec3 n{v[i], v[i + 1], v[i + 2]};
        double length = input::Norm(n);
        if (length == 0) continue;
        visit((input::Dot(n, x) - v[i + 3]) / length);
      }
      break;
    default: break;
  }
}

// Axial parameter t in [0, 1] along H, the distance from the axis, and the
// axis length, for rcc and trc.
struct AxisFrame {
  double t, radial, length;
};

AxisFrame Axis(const std::vector<double>& v, const Vec3& x) {
  Vec3 V = At(v, 0), H = At(v, 3);
  double length = input::Norm(H);
  Vec3 q = x - V;
  double along = length > 0 ? input::Dot(q, H) / length : 0;
  Vec3 radial = q - (length > 0 ? (along / length) * H : Vec3{});
  return {length > 0 ? along / length : 0, input::Norm(radial), length};
}

}  // namespace

bool PrimitiveContains(const Primitive& p, const Vec3& x) {
  const std::vector<double>& v = p.values;
  switch (p.kind) {
    case PrimitiveKind::Sphere: return input::Norm(x - At(v, 0)) < v[3];
    case PrimitiveKind::Rcc: {
      AxisFrame a = Axis(v, x);
      return a.t > 0 && a.t < 1 && a.radial < v[6];
    }
    case PrimitiveKind::Trc: {
      AxisFrame a = Axis(v, x);
      return a.t > 0 && a.t < 1 && a.radial < v[6] + a.t * (v[7] - v[6]);
    }
    default: {
      bool any = false, inside = true;
      ForEachPlaneDistance(p, x, [&](double e) {
        any = true;
        inside = inside && e < 0;
      });
      return any && inside;
    }
  }
}

double PrimitiveBoundaryDistance(const Primitive& p, const Vec3& x) {
  const std::vector<double>& v = p.values;
  switch (p.kind) {
    case PrimitiveKind::Sphere: return std::fabs(input::Norm(x - At(v, 0)) - v[3]);
    case PrimitiveKind::Rcc:
    case PrimitiveKind::Trc: {
      AxisFrame a = Axis(v, x);
      double r1 = v[6], r2 = p.kind == PrimitiveKind::Trc ? v[7] : v[6];
      double radius = r1 + a.t * (r2 - r1);
      // The slanted side is nearer than its radial gap by the cosine of its slope.
      double slope = a.length > 0 ? std::fabs(r2 - r1) / a.length : 0;
      double side = std::fabs(a.radial - radius) / std::sqrt(1 + slope * slope);
      return std::min({side, std::fabs(a.t) * a.length, std::fabs(1 - a.t) * a.length});
    }
    default: {
      double nearest = HUGE_VAL;
      ForEachPlaneDistance(p, x, [&](double e) { nearest = std::min(nearest, std::fabs(e)); });
      return nearest;
    }
  }
}

std::optional<ScriptGeometry> ScriptGeometry::Parse(std::string_view script, std::string& error) {
  ScriptGeometry geometry;
  std::istringstream in{std::string(script)};
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (std::optional<double> banner = BannerCentimetres(line)) geometry.bannerCentimetres_ = *banner;
    std::vector<std::string> words = Words(line);
    if (!words.empty() && words[0] == "after" && words.size() > 2) words.erase(words.begin(), words.begin() + 2);
    if (!geometry.AddLine(words, error)) {
      error = "line " + std::to_string(lineNumber) + ": " + error + ": " + line;
      return std::nullopt;
    }
  }
  geometry.modelLengthPerUnit_ = geometry.bannerCentimetres_ * geometry.unitCentimetres_;
  return geometry;
}

bool ScriptGeometry::AddLine(const std::vector<std::string>& words, std::string& error) {
  if (words.empty()) return true;
  const std::string& command = words[0];
  if (command == "units" && words.size() == 2) {
    std::optional<double> unit = UnitCentimetres(words[1]);
    if (!unit) {
      error = "unknown unit";
      return false;
    }
    unitCentimetres_ = *unit;
    return true;
  }
  if (command == "in") {
    static const std::map<std::string, std::pair<PrimitiveKind, std::size_t>> kinds = {
        {"rpp", {PrimitiveKind::Rpp, 6}},  {"box", {PrimitiveKind::Box, 12}}, {"arb4", {PrimitiveKind::Arb4, 12}},
        {"arbn", {PrimitiveKind::Arbn, 0}}, {"sph", {PrimitiveKind::Sphere, 4}}, {"rcc", {PrimitiveKind::Rcc, 7}},
        {"trc", {PrimitiveKind::Trc, 8}}};
    if (words.size() < 3 || !kinds.count(words[2])) {
      error = "unknown primitive";
      return false;
    }
    auto [kind, count] = kinds.at(words[2]);
    Primitive primitive{kind, {}};
    for (std::size_t i = 3; i < words.size(); ++i) {
      std::optional<double> value = Number(words[i]);
      if (!value) {
        error = "not a number";
        return false;
      }
      primitive.values.push_back(*value);
    }
    if (kind == PrimitiveKind::Arbn)
      count = primitive.values.empty() ? 1 : 1 + 4 * static_cast<std::size_t>(std::max(0.0, primitive.values[0]));
    if (primitive.values.size() != count) {
      error = "wrong number of values";
      return false;
    }
    if (Has(words[1])) {
      error = "made twice";
      return false;
    }
    primitives_[words[1]] = std::move(primitive);
    return true;
  }
  if (command == "comb" || command == "r") {
    if (words.size() < 4 || words.size() % 2 != 0) {
      error = "members must come in pairs of operation and name";
      return false;
    }
    Combination combination;
    combination.region = command == "r";
    for (std::size_t i = 2; i + 1 < words.size(); i += 2) {
      if (words[i].size() != 1 || std::string("u+-").find(words[i][0]) == std::string::npos) {
        error = "unknown operation";
        return false;
      }
      auto primitive = primitives_.find(words[i + 1]);
      auto made = combinations_.find(words[i + 1]);
      if (primitive == primitives_.end() && made == combinations_.end()) {
        error = "member " + words[i + 1] + " is not made yet";
        return false;
      }
      combination.members.push_back({words[i][0], words[i + 1],
                                     primitive == primitives_.end() ? nullptr : &primitive->second,
                                     made == combinations_.end() ? nullptr : &made->second});
    }
    if (Has(words[1])) {
      error = "made twice";
      return false;
    }
    combinations_[words[1]] = std::move(combination);
    if (command == "r") regions_.push_back(words[1]);
    return true;
  }
  return true;  // drawing, view and raytrace lines build nothing
}

ScriptGeometry& ScriptGeometry::operator=(const ScriptGeometry& other) {
  if (this == &other) return *this;
  primitives_ = other.primitives_;
  combinations_ = other.combinations_;
  regions_ = other.regions_;
  bannerCentimetres_ = other.bannerCentimetres_;
  unitCentimetres_ = other.unitCentimetres_;
  modelLengthPerUnit_ = other.modelLengthPerUnit_;
  for (auto& [name, combination] : combinations_)
    for (Member& member : combination.members) {
      auto primitive = primitives_.find(member.name);
      auto made = combinations_.find(member.name);
      member.primitive = primitive == primitives_.end() ? nullptr : &primitive->second;
      member.combination = made == combinations_.end() ? nullptr : &made->second;
    }
  return *this;
}

bool ScriptGeometry::Has(const std::string& name) const {
  return primitives_.count(name) != 0 || combinations_.count(name) != 0;
}

bool ScriptGeometry::Contains(const std::string& name, const Vec3& modelPoint) const {
  auto primitive = primitives_.find(name);
  auto combination = combinations_.find(name);
  const Member member{'u', name, primitive == primitives_.end() ? nullptr : &primitive->second,
                      combination == combinations_.end() ? nullptr : &combination->second};
  return ContainsAt(member, ToScript(modelPoint), 0);
}

bool ScriptGeometry::ContainsAt(const Member& member, const Vec3& point, int depth) const {
  if (member.primitive) return PrimitiveContains(*member.primitive, point);
  if (!member.combination || depth > kMaxNesting) return false;
  // Union binds loosest: the members form terms separated by 'u', and each
  // term applies its '+' and '-' from left to right.
  bool inside = false;
  bool term = false;
  for (const Member& part : member.combination->members) {
    if (part.operation == 'u') {
      inside = inside || term;
      term = ContainsAt(part, point, depth + 1);
    } else if (term) {
      bool in = ContainsAt(part, point, depth + 1);
      term = part.operation == '+' ? in : !in;
    }
  }
  return inside || term;
}

double ScriptGeometry::BoundaryDistance(const Vec3& modelPoint) const {
  Vec3 point = ToScript(modelPoint);
  double nearest = HUGE_VAL;
  for (const auto& [name, primitive] : primitives_)
    nearest = std::min(nearest, PrimitiveBoundaryDistance(primitive, point));
  return nearest * modelLengthPerUnit_;
}

}  // namespace tessarin::render::script_check
