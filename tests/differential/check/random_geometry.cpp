#include "differential/check/random_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>
#include <sstream>
#include <vector>

namespace tessarin::differential {

void ModelView::ApplyTo(settings::VIEWPARM& set) const {
  set.viewSize = viewSize;
  set.viewCenter = {viewCenter.x, viewCenter.y, viewCenter.z};
  set.maximumObjectSizeRatio = maximumObjectSizeRatio;
  set.nIterations = nIterations;
  set.useCutawayPlane = useCutawayPlane ? 1 : 0;
  set.cutawayPlanePoint = {cutawayPlanePoint.x, cutawayPlanePoint.y, cutawayPlanePoint.z};
  set.cutawayPlaneNormal = {cutawayPlaneNormal.x, cutawayPlaneNormal.y, cutawayPlaneNormal.z};
}

ModelView ModelView::Of(const settings::VIEWPARM& set) {
  ModelView view;
  view.viewSize = set.viewSize;
  view.viewCenter = {set.viewCenter.x, set.viewCenter.y, set.viewCenter.z};
  view.maximumObjectSizeRatio = set.maximumObjectSizeRatio;
  view.nIterations = set.nIterations;
  view.useCutawayPlane = set.useCutawayPlane != 0;
  view.cutawayPlanePoint = {set.cutawayPlanePoint.x, set.cutawayPlanePoint.y, set.cutawayPlanePoint.z};
  view.cutawayPlaneNormal = {set.cutawayPlaneNormal.x, set.cutawayPlaneNormal.y, set.cutawayPlaneNormal.z};
  return view;
}

namespace {

using input::Vec3;

constexpr double kDegree = std::numbers::pi / 180;
// The reader's default precisions, for the plane orientation it chooses.
constexpr double kDistancePrecision = 1e-12;
constexpr double kAnglePrecision = 1e-12;

// A right-handed orthonormal frame; also a rotation, its columns x, y, z.
struct Axes {
  Vec3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};
  Vec3 operator()(const Vec3& v) const { return v.x * x + v.y * y + v.z * z; }
  Vec3 Inverse(const Vec3& v) const { return {Dot(x, v), Dot(y, v), Dot(z, v)}; }
};

Axes Compose(const Axes& outer, const Axes& inner) { return {outer(inner.x), outer(inner.y), outer(inner.z)}; }

std::string Num(double value) {
  std::ostringstream text;
  text.precision(17);
  text << value;
  return text.str();
}

std::string Vec(const Vec3& v) { return Num(v.x) + " " + Num(v.y) + " " + Num(v.z); }

// One entry of a bounding list: sign, surface identifier, facet part.
struct Token {
  char sign = '-';  // '-', '+' or 0 (a general macrobody)
  int id = 0;
  std::string facets;  // ".2", ".[1 2 3]" or nothing
};

std::string Render(const std::vector<Token>& tokens) {
  std::string text;
  for (const Token& token : tokens)
    text += " " + (token.sign ? std::string(1, token.sign) : std::string()) + std::to_string(token.id) + token.facets;
  return text;
}

struct Body {
  std::vector<Token> bounds;
  double inscribed = 0;  // a ball of this radius about the body's centre lies inside it
};

// Where a body is written: its centre and axes in the coordinates of the
// transformation it is written in (0: main coordinates).
struct Placement {
  Vec3 centre;
  Axes axes;
  int transform = 0;
};

enum class Shape { Sphere, Rpp, Box, Rcc, Trc, Rhp, Wed, Arb4, Arb, CutCylinder, CutCone, PlaneBox, General };
constexpr int kShapes = 13;

struct CopyableCell {
  int id = 0;
  Vec3 centre;
  double reach = 0;  // circumscribed radius about the centre
};

class ModelWriter {
 public:
  ModelWriter(std::uint64_t seed, int mostBodies, ModelFamily family)
      : random_(seed), mostBodies_(mostBodies), stress_(family == ModelFamily::Stress) {}

  GeneratedModel Write() {
    GeneratedModel model;
    size_ = std::pow(10.0, Uniform(-3.5, 2.5));
    out_ << "// Random geometry for the differential test\nCOMPLEX_GEOMETRY 1\n";
    for (int m = 1; m <= 4; ++m) out_ << "M" << m << " \"material " << m << "\"\n";
    WriteContainerAndBodies();
    model.input = out_.str();
    model.view = View();
    return model;
  }

 private:
  double Uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }
  int Pick(int count) { return static_cast<int>(random_() % static_cast<std::uint64_t>(count)); }
  bool Chance(double probability) { return Uniform(0, 1) < probability; }
  double Sign() { return Chance(0.5) ? 1 : -1; }

  Vec3 Direction() {
    std::normal_distribution<double> normal;
    for (;;) {
      const Vec3 v{normal(random_), normal(random_), normal(random_)};
      if (Norm(v) > 1e-3) return Unit(v);
    }
  }

  Axes RandomAxes() {
    const Vec3 x = Direction();
    Vec3 y = Direction();
    y = y - Dot(x, y) * x;
    while (Norm(y) < 1e-3) {
      y = Direction();
      y = y - Dot(x, y) * x;
    }
    y = Unit(y);
    return {x, y, Cross(x, y)};
  }

  std::string Material() {
    const int m = Pick(7) - 2;
    return m <= 0 ? std::to_string(m) : std::to_string(m) + " " + Num(Uniform(0.5, 3));
  }

  int NewSurface() { return nextSurface_++; }
  std::string Head(int id, const Placement& at) {
    return "S" + std::to_string(id) + (at.transform ? " " + std::to_string(at.transform) : std::string());
  }

  // --- transformations -------------------------------------------------

  static void AzimuthElevation(const Vec3& v, double& azimuth, double& elevation) {
    azimuth = std::atan2(v.y, v.x) / kDegree;
    elevation = std::asin(std::clamp(v.z, -1.0, 1.0)) / kDegree;
  }

  // Y' as the reader derives it from X' alone.
  static Vec3 DerivedY(const Vec3& x) {
    if (std::fabs(x.z) <= kAnglePrecision && std::fabs(x.x) <= kAnglePrecision) return {0, 0, x.y > 0 ? 1.0 : -1.0};
    if (std::fabs(x.y) <= kAnglePrecision) return {0, 1, 0};
    return Unit(Vec3{x.x, x.y - 1 / x.y, x.z});
  }

  // Writes TR<n> in one of the entry forms (some derive Y' themselves),
  // sometimes relative to an earlier transformation, such that the point
  // `kept` of the new system lands on `target`; returns its id and the frame
  // it really has.
  struct Transform {
    int id = 0;
    Vec3 origin;
    Axes axes;
  };

  Transform WriteTransform(const Vec3& target, const Axes& wanted, bool translationOnly, const Vec3& kept = {}) {
    Transform made{nextTransform_++, {}, wanted};
    const Transform* primary = nullptr;
    Axes local = translationOnly ? Axes{} : wanted;
    if (!transforms_.empty() && Chance(0.3)) {
      primary = &transforms_[static_cast<std::size_t>(Pick(static_cast<int>(transforms_.size())))];
      if (!translationOnly)
        local = {primary->axes.Inverse(wanted.x), primary->axes.Inverse(wanted.y), primary->axes.Inverse(wanted.z)};
    }
    const int form = translationOnly ? 0 : 1 + Pick(7);
    std::string entries;
    double azimuth = 0, elevation = 0;
    switch (form) {
      case 0:  // the origin alone; the axes are the primary's
        break;
      case 1:  // azimuth and elevation of X', Y' derived
      case 2:  // X' by components, Y' derived
        if (form == 1) {
          AzimuthElevation(local.x, azimuth, elevation);
          entries = "  " + Num(azimuth) + " " + Num(elevation);
        } else {
          entries = "  " + Vec(local.x);
        }
        local.y = DerivedY(local.x);
        local.z = Unit(Cross(local.x, local.y));
        break;
      case 3:  // azimuths and elevations of X' and Y'
        AzimuthElevation(local.x, azimuth, elevation);
        entries = "  " + Num(azimuth) + " " + Num(elevation);
        AzimuthElevation(local.y, azimuth, elevation);
        entries += "  " + Num(azimuth) + " " + Num(elevation);
        break;
      case 4:
        AzimuthElevation(local.x, azimuth, elevation);
        entries = "  " + Num(azimuth) + " " + Num(elevation) + "  " + Vec(local.y);
        break;
      case 7:  // the components as the angles whose cosines they are
        for (const Vec3& axis : {local.x, local.y})
          for (double component : {axis.x, axis.y, axis.z}) entries += " " + Num(std::acos(component) / kDegree);
        break;
      default:
        entries = "  " + Vec(local.x) + "  " + Vec(local.y);
    }
    made.axes = primary ? Compose(primary->axes, local) : local;
    made.origin = target - made.axes(kept);
    const Vec3 written = primary ? primary->axes.Inverse(made.origin - primary->origin) : made.origin;
    out_ << (form == 7 ? "*TR" : "TR") << made.id << " ";
    if (primary) out_ << "TR" << primary->id << " ";
    out_ << Vec(written) << entries << "\n";
    transforms_.push_back(made);
    return made;
  }

  Placement PlaceAt(const Vec3& centre) {
    if (!Chance(0.3)) return {centre, RandomAxes(), 0};
    const Transform frame = WriteTransform(centre, RandomAxes(), Chance(0.2));
    return {{}, Chance(0.5) ? Axes{} : RandomAxes(), frame.id};
  }

  // --- surfaces ----------------------------------------------------------

  // Writes a plane through p with normal n in one of the reader's three
  // forms; the reader's plane then points along sense·n. Returns the token
  // that keeps the side behind n.
  Token Plane(const Placement& at, const Vec3& p, const Vec3& n, double scale) {
    const int id = NewSurface();
    const std::string head = Head(id, at);
    int form = Pick(3);
    const double offset = Dot(n, p);
    if (form == 2 && std::fabs(offset) < 1e-6 * scale) form = 1;  // the origin's side decides the orientation
    double sense = Sign();
    if (form == 0) {
      const Vec3 a = sense * Uniform(0.5, 3) * n;
      out_ << head << " P " << Vec(a) << " " << Num(Dot(a, p)) << "\n";
    } else if (form == 1) {
      out_ << head << " P " << Vec(p) << "  " << Vec(sense * Uniform(0.5, 3) * n) << "\n";
    } else {
      const Axes frame = FrameAround(n);
      const double turn = Uniform(0, 2 * std::numbers::pi);
      std::array<Vec3, 3> corners;
      for (int k = 0; k < 3; ++k) {
        const double angle = turn + k * 2 * std::numbers::pi / 3 + Uniform(-0.3, 0.3);
        corners[static_cast<std::size_t>(k)] =
            p + scale * Uniform(0.5, 1.5) * (std::cos(angle) * frame.x + std::sin(angle) * frame.y);
      }
      out_ << head << " P " << Vec(corners[0]) << "  " << Vec(corners[1]) << "  " << Vec(corners[2]) << "\n";
      sense = Dot(ThreePointNormal(corners), n) > 0 ? 1 : -1;
    }
    return {sense > 0 ? '-' : '+', id, ""};
  }

  // The normal the reader gives a plane through three points.
  static Vec3 ThreePointNormal(const std::array<Vec3, 3>& p) {
    Vec3 n = Unit(Cross(Unit(p[1] - p[0]), Unit(p[2] - p[1])));
    const double d = Dot(n, p[0]);
    bool flip;
    if (std::fabs(d) > kDistancePrecision) flip = d < 0;
    else if (std::fabs(n.z) > kAnglePrecision) flip = n.z < 0;
    else if (std::fabs(n.y) > kAnglePrecision) flip = n.y < 0;
    else flip = n.x < 0;
    return flip ? -n : n;
  }

  static Axes FrameAround(const Vec3& n) {
    const Vec3 helper = std::fabs(n.x) < 0.6 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    const Vec3 x = Unit(Cross(helper, n));
    return {x, Cross(n, x), n};
  }

  std::vector<Token> WholeOrFacets(int id, int facets) {
    switch (Pick(3)) {
      case 0:
        return {{'-', id, ""}};
      case 1: {
        std::string list = ".[";
        for (int k = 1; k <= facets; ++k) list += (k > 1 ? " " : "") + std::to_string(k);
        return {{'-', id, list + "]"}};
      }
      default: {
        std::vector<Token> tokens;
        for (int k = 1; k <= facets; ++k) tokens.push_back({'-', id, "." + std::to_string(k)});
        return tokens;
      }
    }
  }

  // --- bodies --------------------------------------------------------------

  // A body of the shape about `at` that reaches no further than `reach`.
  Body Make(Shape shape, const Placement& at, double reach) {
    const Vec3 c = at.centre;
    const Axes& a = at.axes;
    switch (shape) {
      case Shape::Sphere: {
        const int id = NewSurface();
        out_ << Head(id, at) << " S " << Vec(c) << " " << Num(reach) << "\n";
        return {{{'-', id, ""}}, reach};
      }
      case Shape::Rpp:
      case Shape::Box: {
        Vec3 half{Uniform(0.6, 1), Uniform(0.6, 1), Uniform(0.6, 1)};
        half = (reach / Norm(half)) * half;
        const int id = NewSurface();
        if (shape == Shape::Rpp)
          out_ << Head(id, at) << " RPP " << Num(c.x - half.x) << " " << Num(c.x + half.x) << " " << Num(c.y - half.y)
               << " " << Num(c.y + half.y) << " " << Num(c.z - half.z) << " " << Num(c.z + half.z) << "\n";
        else
          out_ << Head(id, at) << " BOX " << Vec(c - a(half)) << "  " << Vec(2 * half.x * a.x) << "  "
               << Vec(2 * half.y * a.y) << "  " << Vec(2 * half.z * a.z) << "\n";
        return {WholeOrFacets(id, 6), std::min({half.x, half.y, half.z})};
      }
      case Shape::Rcc: {
        double radius = Uniform(0.6, 1), height = Uniform(0.6, 1);
        const double scale = reach / std::hypot(radius, height);
        radius *= scale;
        height *= scale;
        const int id = NewSurface();
        out_ << Head(id, at) << " RCC " << Vec(c - height * a.z) << "  " << Vec(2 * height * a.z) << "  " << Num(radius)
             << "\n";
        return {WholeOrFacets(id, 3), std::min(radius, height)};
      }
      case Shape::Trc: {
        double r1 = Uniform(0.5, 1), r2 = r1 * Uniform(0.2, 0.8), height = Uniform(0.5, 1);
        if (Chance(0.5)) std::swap(r1, r2);
        const double scale = reach / std::max(std::hypot(r1, height), std::hypot(r2, height));
        r1 *= scale, r2 *= scale, height *= scale;
        const double side = height * (r1 + r2) / std::hypot(r1 - r2, 2 * height);
        const int id = NewSurface();
        out_ << Head(id, at) << " TRC " << Vec(c - height * a.z) << "  " << Vec(2 * height * a.z) << "  " << Num(r1)
             << " " << Num(r2) << "\n";
        return {WholeOrFacets(id, 3), std::min(height, side)};
      }
      case Shape::Rhp: {
        double apothem = Uniform(0.6, 1), height = Uniform(0.6, 1);
        const double scale = reach / std::hypot(apothem / std::cos(30 * kDegree), height);
        apothem *= scale, height *= scale;
        const int id = NewSurface();
        out_ << Head(id, at) << (Chance(0.5) ? " RHP " : " HEX ") << Vec(c - height * a.z) << "  "
             << Vec(2 * height * a.z) << "  " << Vec(apothem * a.x) << "\n";
        return {WholeOrFacets(id, 8), std::min(apothem, height)};
      }
      case Shape::Wed: {
        const double legA = Uniform(0.8, 1.2), legB = Uniform(0.8, 1.2), height = Uniform(0.3, 0.6);
        const double inner = (legA + legB - std::hypot(legA, legB)) / 2;  // the incircle's radius
        const double corner = std::max({std::hypot(inner, inner), std::hypot(legA - inner, inner),
                                        std::hypot(inner, legB - inner)});
        const double scale = reach / std::hypot(corner, height);
        const int id = NewSurface();
        const Vec3 vertex = c - scale * (inner * a.x + inner * a.y + height * a.z);
        out_ << Head(id, at) << " WED " << Vec(vertex) << "  " << Vec(scale * legA * a.x) << "  "
             << Vec(scale * legB * a.y) << "  " << Vec(2 * scale * height * a.z) << "\n";
        return {{{'-', id, ""}}, scale * std::min(inner, height)};
      }
      case Shape::Arb4:
        return Tetrahedron(at, reach, false);
      case Shape::Arb:
        return Chance(0.3) ? Tetrahedron(at, reach, true) : Frustum(at, reach);
      case Shape::CutCylinder: {
        double radius = Uniform(0.5, 1), height = Uniform(0.5, 1);
        const double tiltTop = Chance(0.5) ? 0 : Uniform(0, 20) * kDegree;
        const double tiltBottom = Chance(0.5) ? 0 : Uniform(0, 20) * kDegree;
        const double scale =
            reach / std::hypot(radius, height + radius * std::tan(std::max(tiltTop, tiltBottom)));
        radius *= scale, height *= scale;
        const int id = NewSurface();
        out_ << Head(id, at) << " CY " << Vec(c + Uniform(-3, 3) * height * a.z) << "  " << Vec(Sign() * a.z) << " "
             << Num(radius) << "\n";
        const Vec3 top = Tilted(a, tiltTop), bottom = Tilted(a, tiltBottom);
        Token cap = Plane(at, c + height * a.z, top, radius);
        Token floor = Plane(at, c - height * a.z, bottom, radius);
        floor.sign = floor.sign == '-' ? '+' : '-';
        return {{{'-', id, ""}, cap, floor}, std::min({radius, height * std::cos(tiltTop), height * std::cos(tiltBottom)})};
      }
      case Shape::CutCone: {
        const double angle = Uniform(12, 55) * kDegree;
        const double toCentre = 1 / (1 + std::sin(angle));  // from the apex, for a cap at 1
        const double scale = reach / std::max(toCentre, std::hypot(1 - toCentre, std::tan(angle)));
        const int id = NewSurface();
        out_ << Head(id, at) << " CO " << Vec(c - scale * toCentre * a.z) << "  " << Vec(Uniform(0.5, 2) * a.z) << " "
             << Num(angle / kDegree) << "\n";
        const Token cap = Plane(at, c + scale * (1 - toCentre) * a.z, a.z, scale);
        return {{{'-', id, ""}, cap}, scale * toCentre * std::sin(angle)};
      }
      case Shape::PlaneBox:
        return PlaneBox(at, reach);
      case Shape::General: {
        // A general macrobody: a sphere between two parallel planes.
        const double half = Uniform(0.3, 0.8) * reach;
        const int sphere = NewSurface();
        out_ << Head(sphere, at) << " S " << Vec(c) << " " << Num(reach) << "\n";
        const Token top = Plane(at, c + half * a.z, a.z, reach);
        Token bottom = Plane(at, c - half * a.z, a.z, reach);
        bottom.sign = bottom.sign == '-' ? '+' : '-';
        const int id = NewSurface();
        out_ << "S" << id << " MB" << Render({{'-', sphere, ""}, top, bottom}) << "\n";
        return {{{0, id, ""}}, half};
      }
    }
    return {};
  }

  Vec3 Tilted(const Axes& a, double tilt) {
    const double turn = Uniform(0, 2 * std::numbers::pi);
    return std::cos(tilt) * a.z + std::sin(tilt) * (std::cos(turn) * a.x + std::sin(turn) * a.y);
  }

  static double PlaneDistance(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& from) {
    return std::fabs(Dot(Unit(Cross(p1 - p0, p2 - p0)), from - p0));
  }

  // A tetrahedron about the centre, as an ARB4 or as an ARB of triangles.
  Body Tetrahedron(const Placement& at, double reach, bool arb) {
    const std::array<Vec3, 4> corners{{{1, 1, 1}, {1, -1, -1}, {-1, 1, -1}, {-1, -1, 1}}};
    std::array<Vec3, 4> v;
    for (std::size_t k = 0; k < 4; ++k) v[k] = at.centre + reach * Uniform(0.8, 1) * at.axes(Unit(corners[k]));
    double inscribed = HUGE_VAL;
    for (std::size_t skip = 0; skip < 4; ++skip) {
      std::vector<Vec3> face;
      for (std::size_t k = 0; k < 4; ++k)
        if (k != skip) face.push_back(v[k]);
      inscribed = std::min(inscribed, PlaneDistance(face[0], face[1], face[2], at.centre));
    }
    const int id = NewSurface();
    out_ << Head(id, at) << (arb ? " ARB " : " ARB4 ");
    for (const Vec3& corner : v) out_ << " " << Vec(corner);
    if (arb) out_ << "  0 0 0  0 0 0  0 0 0  0 0 0   1230 1240 1340 2340 0 0";
    out_ << "\n";
    return {{{'-', id, ""}}, inscribed};
  }

  // A square frustum as an ARB of six faces.
  Body Frustum(const Placement& at, double reach) {
    double bottom = Uniform(0.5, 1), top = bottom * Uniform(0.3, 0.9), height = Uniform(0.5, 1);
    if (Chance(0.5)) std::swap(bottom, top);
    const double scale =
        reach / std::max(std::hypot(bottom * std::sqrt(2.0), height), std::hypot(top * std::sqrt(2.0), height));
    bottom *= scale, top *= scale, height *= scale;
    const int id = NewSurface();
    out_ << Head(id, at) << " ARB";
    for (double z : {-height, height}) {
      const double half = z < 0 ? bottom : top;
      for (const auto& [x, y] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}})
        out_ << "  " << Vec(at.centre + at.axes(Vec3{x * half, y * half, z}));
    }
    out_ << "   1234 5678 1265 2376 3487 4158\n";
    const double side = height * (bottom + top) / std::hypot(bottom - top, 2 * height);
    return {{{'-', id, ""}}, std::min(height, side)};
  }

  // Six planes in three pairs: a parallelepiped.
  Body PlaneBox(const Placement& at, double reach) {
    std::array<Vec3, 3> normals;
    do {
      for (Vec3& n : normals) n = Direction();
    } while (std::fabs(Dot(normals[0], Cross(normals[1], normals[2]))) < 0.35);
    std::array<double, 3> distance{Uniform(0.6, 1), Uniform(0.6, 1), Uniform(0.6, 1)};
    double far = 0;
    for (int corner = 0; corner < 8; ++corner) {
      // The corner solves n_k·x = ±d_k.
      std::array<double, 3> rhs;
      for (int k = 0; k < 3; ++k) rhs[static_cast<std::size_t>(k)] = ((corner >> k) & 1 ? 1 : -1) * distance[static_cast<std::size_t>(k)];
      const Vec3& n0 = normals[0];
      const Vec3& n1 = normals[1];
      const Vec3& n2 = normals[2];
      const Vec3 x = (1 / Dot(n0, Cross(n1, n2))) * (rhs[0] * Cross(n1, n2) + rhs[1] * Cross(n2, n0) + rhs[2] * Cross(n0, n1));
      far = std::max(far, Norm(x));
    }
    const double scale = reach / far;
    std::vector<Token> bounds;
    for (std::size_t k = 0; k < 3; ++k) {
      const Vec3 n = at.axes(normals[k]);
      const double d = scale * distance[k];
      bounds.push_back(Plane(at, at.centre + d * n, n, reach));
      Token back = Plane(at, at.centre - d * n, n, reach);
      back.sign = back.sign == '-' ? '+' : '-';
      bounds.push_back(back);
    }
    return {bounds, scale * std::min({distance[0], distance[1], distance[2]})};
  }

  Shape RandomShape() { return static_cast<Shape>(Pick(kShapes)); }

  int WriteCell(const std::vector<Token>& bounds, const std::vector<int>& complements) {
    const int id = nextCell_++;
    out_ << "C" << id << " " << Material() << Render(bounds);
    for (int inner : complements) out_ << " #" << inner;
    out_ << "\n";
    return id;
  }

  // --- what a slot holds ---------------------------------------------------

  // Bodies one inside the other, the innermost maybe halved by a plane;
  // returns the outermost cells.
  std::vector<int> Nest(const Vec3& centre, double reach) {
    const int depth = 1 + Pick(3);
    std::vector<Body> bodies;
    Placement at = PlaceAt(centre);
    double room = reach;
    for (int level = 0; level < depth; ++level) {
      bodies.push_back(Make(RandomShape(), at, room));
      room = 0.9 * bodies.back().inscribed;
      if (Chance(0.3)) at = PlaceAt(centre);
    }
    std::vector<int> cells;
    const Body& innermost = bodies.back();
    if (Chance(0.25)) {
      const Vec3 n = at.axes(Direction());
      Token cut = Plane(at, at.centre + Uniform(-0.4, 0.4) * innermost.inscribed * n, n, innermost.inscribed);
      std::vector<Token> half = innermost.bounds;
      half.push_back(cut);
      cells.push_back(WriteCell(half, {}));
      half.back().sign = cut.sign == '-' ? '+' : '-';
      cells.push_back(WriteCell(half, {}));
    } else {
      cells.push_back(WriteCell(innermost.bounds, {}));
      if (depth == 1) copyable_.push_back({cells.back(), centre, reach});
    }
    for (int level = depth - 2; level >= 0; --level)
      cells = {WriteCell(bodies[static_cast<std::size_t>(level)].bounds, cells)};
    return cells;
  }

  // A body with a thin skin as a cell of its own.
  std::vector<int> Shell(const Vec3& centre, double reach) {
    const double thickness = std::min(Uniform(0.001, 0.01), 0.05 * reach);
    const Placement at = PlaceAt(centre);
    if (Chance(0.5)) {
      const int outer = NewSurface(), inner = NewSurface();
      out_ << Head(outer, at) << " S " << Vec(at.centre) << " " << Num(reach) << "\n";
      out_ << Head(inner, at) << " S " << Vec(at.centre) << " " << Num(reach - thickness) << "\n";
      const int core = WriteCell({{'-', inner, ""}}, {});
      return {core, WriteCell({{'+', inner, ""}, {'-', outer, ""}}, {})};
    }
    const double radius = Uniform(0.5, 1) * reach / std::sqrt(2.0), height = std::sqrt(reach * reach - radius * radius);
    const int outer = NewSurface(), inner = NewSurface();
    for (auto [id, shrink] : {std::pair{outer, 0.0}, {inner, thickness}})
      out_ << Head(id, at) << " RCC " << Vec(at.centre - (height - shrink) * at.axes.z) << "  "
           << Vec(2 * (height - shrink) * at.axes.z) << "  " << Num(radius - shrink) << "\n";
    const int core = WriteCell({{'-', inner, ""}}, {});
    return {WriteCell({{'-', outer, ""}}, {core})};
  }

  // Two boxes that share a face.
  std::vector<int> Stack(const Vec3& centre, double reach) {
    const Placement at = PlaceAt(centre);
    Vec3 half{Uniform(0.6, 1), Uniform(0.6, 1), Uniform(0.6, 1)};
    half = (reach / Norm(half)) * half;
    const double split = Uniform(-0.5, 0.5) * half.x;
    const Vec3 corner = at.centre - at.axes(half);
    std::vector<int> cells;
    for (auto [from, length] : {std::pair{0.0, half.x + split}, {half.x + split, half.x - split}}) {
      const int id = NewSurface();
      out_ << Head(id, at) << " BOX " << Vec(corner + from * at.axes.x) << "  " << Vec(length * at.axes.x) << "  "
           << Vec(2 * half.y * at.axes.y) << "  " << Vec(2 * half.z * at.axes.z) << "\n";
      cells.push_back(WriteCell({{'-', id, ""}}, {}));
    }
    return cells;
  }

  // Two overlapping spheres, later joined in a union.
  std::vector<int> UnionPair(const Vec3& centre, double reach) {
    const Placement at = PlaceAt(centre);
    const Vec3 along = at.axes(Direction());
    const double radius = reach / 1.4;
    std::vector<int> cells;
    for (double side : {-0.4, 0.4}) {
      const int id = NewSurface();
      out_ << Head(id, at) << " S " << Vec(at.centre + side * radius * along) << " " << Num(radius) << "\n";
      cells.push_back(WriteCell({{'-', id, ""}}, {}));
    }
    unions_.push_back(cells);
    return cells;
  }

  // A copy of a single cell, turned and moved into the slot.
  std::vector<int> Copy(const Vec3& centre, double reach) {
    std::vector<CopyableCell> fitting;
    for (const CopyableCell& cell : copyable_)
      if (cell.reach <= reach) fitting.push_back(cell);
    if (fitting.empty()) return Nest(centre, reach);
    const CopyableCell& original = fitting[static_cast<std::size_t>(Pick(static_cast<int>(fitting.size())))];
    const bool turned = Chance(0.8);
    const Axes turn = turned ? RandomAxes() : Axes{};
    const Transform frame = WriteTransform(centre, turn, !turned, original.centre);
    const int id = nextCell_++;
    out_ << "C" << id << " " << Material() << " TR" << frame.id << " " << original.id << "\n";
    return {id};
  }

  // --- what only the stress family's slots hold --------------------------------

  // A box cut by two planes through one line at an angle of 1e-7 to 1e-5
  // radians: the sliver between them is a cell of its own.
  std::vector<int> Sliver(const Vec3& centre, double reach) {
    const Placement at = PlaceAt(centre);
    const double half = reach / std::sqrt(3.0);
    const int box = NewSurface();
    out_ << Head(box, at) << " BOX " << Vec(at.centre - at.axes(Vec3{half, half, half})) << "  "
         << Vec(2 * half * at.axes.x) << "  " << Vec(2 * half * at.axes.y) << "  " << Vec(2 * half * at.axes.z) << "\n";
    const double angle = std::pow(10.0, Uniform(-7, -5));
    const Vec3 first = at.axes.y, second = std::cos(angle) * at.axes.y + std::sin(angle) * at.axes.x;
    const Token lower = Plane(at, at.centre, first, half), upper = Plane(at, at.centre, second, half);
    const auto side = [](Token token, char sign) {
      token.sign = token.sign == '-' ? sign : (sign == '-' ? '+' : '-');
      return token;
    };
    const Token inside{'-', box, ""};
    return {WriteCell({inside, side(lower, '+'), side(upper, '-')}, {}),
            WriteCell({inside, side(lower, '-')}, {}), WriteCell({inside, side(upper, '+'), side(lower, '+')}, {})};
  }

  // Two balls whose gap is a billionth to a millionth of their radius.
  std::vector<int> NearlyTouchingBalls(const Vec3& centre, double reach) {
    const Placement at = PlaceAt(centre);
    const Vec3 along = at.axes(Direction());
    const double radius = 0.49 * reach, gap = radius * std::pow(10.0, Uniform(-9, -6));
    std::vector<int> cells;
    for (double side : {-1.0, 1.0}) {
      const int id = NewSurface();
      out_ << Head(id, at) << " S " << Vec(at.centre + side * (radius + 0.5 * gap) * along) << " " << Num(radius)
           << "\n";
      cells.push_back(WriteCell({{'-', id, ""}}, {}));
    }
    return cells;
  }

  // A slab of 1e-7 to 1e-5 of the slot's size across a box.
  std::vector<int> Slab(const Vec3& centre, double reach) {
    const Placement at = PlaceAt(centre);
    const double half = reach / std::sqrt(3.0), thickness = half * std::pow(10.0, Uniform(-7, -5));
    const int box = NewSurface();
    out_ << Head(box, at) << " RPP " << Num(at.centre.x - half) << " " << Num(at.centre.x + half) << " "
         << Num(at.centre.y - half) << " " << Num(at.centre.y + half) << " " << Num(at.centre.z - half) << " "
         << Num(at.centre.z + half) << "\n";
    const Token low = Plane(at, at.centre, at.axes.z, half);
    Token high = Plane(at, at.centre + thickness * at.axes.z, at.axes.z, half);
    const auto flipped = [](Token token) {
      token.sign = token.sign == '-' ? '+' : '-';
      return token;
    };
    const Token inside{'-', box, ""};
    return {WriteCell({inside, flipped(low), high}, {}), WriteCell({inside, low}, {}),
            WriteCell({inside, flipped(high)}, {})};
  }

  // --- the whole model -------------------------------------------------------

  void WriteContainerAndBodies() {
    const int containerKind = Pick(4);  // sphere, RPP, BOX, RCC
    const int container = NewSurface();
    double cube = 0;  // half edge of the cube of slots
    if (containerKind == 0) {
      out_ << "S" << container << " S 0 0 0 " << Num(size_) << "\n";
      cube = 0.95 * size_ / std::sqrt(3.0);
    } else if (containerKind == 1) {
      out_ << "S" << container << " RPP " << Num(-size_) << " " << Num(size_) << " " << Num(-size_) << " "
           << Num(size_) << " " << Num(-size_) << " " << Num(size_) << "\n";
      cube = 0.95 * size_;
    } else if (containerKind == 2) {
      const Axes a = RandomAxes();
      out_ << "S" << container << " BOX " << Vec(-size_ * (a.x + a.y + a.z)) << "  " << Vec(2 * size_ * a.x) << "  "
           << Vec(2 * size_ * a.y) << "  " << Vec(2 * size_ * a.z) << "\n";
      cube = 0.95 * size_ / std::sqrt(3.0);
    } else {
      out_ << "S" << container << " RCC 0 0 " << Num(-size_) << " 0 0 " << Num(2 * size_) << " " << Num(size_) << "\n";
      cube = 0.95 * size_ / std::sqrt(2.0);
    }
    // The stress family fills up to 216 slots: 50 to 300 cells.
    const int perAxis = stress_ ? 4 + Pick(3) : 2 + Pick(2);
    const double spacing = 2 * cube / perAxis;
    std::vector<Vec3> slots;
    for (int i = 0; i < perAxis; ++i)
      for (int j = 0; j < perAxis; ++j)
        for (int k = 0; k < perAxis; ++k)
          slots.push_back(Vec3{-cube + spacing * (i + 0.5), -cube + spacing * (j + 0.5), -cube + spacing * (k + 0.5)});
    std::shuffle(slots.begin(), slots.end(), random_);
    const std::size_t used = std::min<std::size_t>(slots.size(), 1 + static_cast<std::size_t>(Pick(mostBodies_)));
    std::vector<int> topLevel;
    for (std::size_t s = 0; s < used; ++s) {
      const double reach = 0.45 * spacing;
      std::vector<int> cells;
      switch (Pick(stress_ ? 13 : 10)) {
        case 0: cells = Shell(slots[s], reach); break;
        case 1: cells = Stack(slots[s], reach); break;
        case 2: cells = UnionPair(slots[s], reach); break;
        case 3: cells = Copy(slots[s], reach); break;
        case 10: cells = Sliver(slots[s], reach); break;
        case 11: cells = NearlyTouchingBalls(slots[s], reach); break;
        case 12: cells = Slab(slots[s], reach); break;
        default: cells = Nest(slots[s], reach);
      }
      topLevel.insert(topLevel.end(), cells.begin(), cells.end());
    }
    std::vector<Token> inside{{'-', container, ""}};
    const int containerCell = WriteCell(inside, topLevel);
    for (const std::vector<int>& members : unions_)
      out_ << "UNION" << nextUnion_++ << " " << Material() << " " << members[0] << " " << members[1] << "\n";
    WriteOutside(container, containerKind == 0, containerCell);
  }

  // Cells around the container, divided by up to two infinite surfaces.
  // Around a macrobody (whose outside is no bounding list) the surfaces
  // keep clear of it, and the cell on its side takes it out with "#".
  void WriteOutside(int container, bool sphere, int containerCell) {
    const int count = sphere ? Pick(3) : 1 + Pick(2);
    const double clear = 1.8 * size_;
    std::vector<int> surfaces;
    std::vector<char> containerSide;
    for (int k = 0; k < count; ++k) {
      const int id = NewSurface();
      surfaces.push_back(id);
      const Vec3 n = Direction();
      switch (Pick(3)) {
        case 0: {
          const double offset = sphere ? Uniform(-1.5, 1.5) * size_ : Sign() * Uniform(1.1, 2) * clear;
          out_ << "S" << id << " P " << Vec(offset * n) << "  " << Vec(n) << "\n";
          containerSide.push_back(offset > 0 ? '-' : '+');
          break;
        }
        case 1: {
          const Vec3 point = (sphere ? Uniform(0, 2) : Uniform(0, 0.25)) * size_ * Direction();
          const double radius = sphere ? Uniform(0.3, 4) * size_ : Uniform(1.1, 3) * (clear + 0.25 * size_);
          out_ << "S" << id << " CY " << Vec(point) << "  " << Vec(Direction()) << " " << Num(radius) << "\n";
          containerSide.push_back('-');
          break;
        }
        default: {
          const double angle = Uniform(10, 60) * kDegree;
          const double back = sphere ? Uniform(0.5, 4) * size_ : Uniform(1.1, 2) * clear / std::sin(angle);
          const Vec3 apex = sphere ? back * Direction() : -back * n;
          out_ << "S" << id << " CO " << Vec(apex) << "  " << Vec(sphere ? Direction() : n) << " "
               << Num(angle / kDegree) << "\n";
          containerSide.push_back('-');
        }
      }
    }
    for (int signs = 0; signs < (1 << count); ++signs) {
      std::vector<Token> bounds;
      if (sphere) bounds.push_back({'+', container, ""});
      bool onContainerSide = true;
      for (int k = 0; k < count; ++k) {
        const char sign = (signs >> k) & 1 ? '+' : '-';
        bounds.push_back({sign, surfaces[static_cast<std::size_t>(k)], ""});
        onContainerSide = onContainerSide && sign == containerSide[static_cast<std::size_t>(k)];
      }
      WriteCell(bounds, !sphere && onContainerSide ? std::vector<int>{containerCell} : std::vector<int>{});
    }
  }

  ModelView View() {
    ModelView view;
    view.viewSize = 2 * size_ * Uniform(1.1, 1.6);
    view.viewCenter = size_ * Vec3{Uniform(-0.25, 0.25), Uniform(-0.25, 0.25), Uniform(-0.25, 0.25)};
    // The ratios a parameter set allows, 3.5 to 1000.
    const std::array<double, 7> ratios{3.5, 3.5, 10, 50, 200, 200, 1000};
    view.maximumObjectSizeRatio = ratios[static_cast<std::size_t>(Pick(7))];
    const std::array<int, 7> cycles{20, 20, 20, 20, 0, 5, 40};
    view.nIterations = cycles[static_cast<std::size_t>(Pick(7))];
    view.useCutawayPlane = Chance(0.125);
    view.cutawayPlanePoint = size_ * Vec3{Uniform(-0.5, 0.5), Uniform(-0.5, 0.5), Uniform(-0.5, 0.5)};
    view.cutawayPlaneNormal = Direction();
    return view;
  }

  std::mt19937_64 random_;
  int mostBodies_;
  bool stress_;
  std::ostringstream out_;
  double size_ = 1;  // the container's half size, cm
  int nextSurface_ = 1, nextCell_ = 1, nextTransform_ = 1, nextUnion_ = 1;
  std::vector<Transform> transforms_;
  std::vector<CopyableCell> copyable_;
  std::vector<std::vector<int>> unions_;
};

}  // namespace

GeneratedModel GenerateModel(std::uint64_t seed, int mostBodies, ModelFamily family) {
  ModelWriter writer(seed, std::max(1, mostBodies), family);
  return writer.Write();
}

}  // namespace tessarin::differential
