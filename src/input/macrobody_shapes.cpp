#include "input/macrobody_shapes.h"

#include <array>
#include <cmath>

#include "input/macrobody_kinds.h"
#include "input/messages.h"
#include "input/transformation.h"
#include "platform/format_text.h"

namespace tessarin::input {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180;

// The edge pairs (i, j) whose cross product is the normal of face pair k.
constexpr int kEdgePairs[3][2] = {{1, 2}, {2, 0}, {0, 1}};

Vec3 Entry(const double* entries, int first) { return {entries[first], entries[first + 1], entries[first + 2]}; }

Vec3 AsPoint(const TransformRecord* transform, const Vec3& p) { return transform ? TransformPoint(*transform, p) : p; }
Vec3 AsVector(const TransformRecord* transform, const Vec3& v) {
  return transform ? TransformDirection(*transform, v) : v;
}

SurfaceRecord MakeAxialSurface(SurfaceKind kind, const Vec3& point, const Vec3& axis) {
  SurfaceRecord surface;
  surface.kind = kind;
  surface.point = point;
  surface.direction = axis;
  return surface;
}

SurfaceRecord MakeCylinder(const Vec3& axisPoint, const Vec3& axis, double radius) {
  SurfaceRecord cylinder = MakeAxialSurface(SurfaceKind::Cylinder, axisPoint, axis);
  cylinder.radius = radius;
  return cylinder;
}

SurfaceRecord MakeCone(const Vec3& apex, const Vec3& axis, double halfAngle) {
  SurfaceRecord cone = MakeAxialSurface(SurfaceKind::Cone, apex, axis);
  cone.halfAngle = halfAngle;
  cone.sinHalfAngle = std::sin(halfAngle);
  cone.cosHalfAngle = std::cos(halfAngle);
  cone.tanHalfAngle = std::tan(halfAngle);
  return cone;
}

class ShapeBuilder {
 public:
  ShapeBuilder(DirectiveContext& context, const char* name, std::int32_t id, BuiltMacrobody& built)
      : context_(context), name_(name), id_(id), built_(built) {}

  bool Cylinder(Vec3 base, Vec3 height, double radius);
  bool TruncatedCone(Vec3 base, Vec3 height, double baseRadius, double topRadius);
  bool Box(const Vec3& corner, const std::array<Vec3, 3>& edges, const TransformRecord* transform);
  bool Rpp(const double* bounds, const TransformRecord* transform);
  bool HexagonalPrism(const Vec3& base, const Vec3& height, const Vec3& toSide);
  bool Wedge(const Vec3& vertex, const std::array<Vec3, 3>& edges);
  bool Tetrahedron(const std::array<Vec3, 4>& vertices);
  bool Polyhedron(const double* entries, const TransformRecord* transform);

 private:
  bool Fail(const std::string& text) { return context_.Fail(text); }
  bool CheckHeight(const Vec3& height);
  bool CheckEdgeLengths(const std::array<Vec3, 3>& edges);
  bool CheckEdgeIndependence(const std::array<Vec3, 3>& edges);
  bool BoxFacets(const Vec3& corner, const std::array<Vec3, 3>& edges, std::array<Vec3, 3>& normals);
  bool CheckedConeAngle(double tangent, double& angle);

  DirectiveContext& context_;
  const char* name_;
  std::int32_t id_;
  BuiltMacrobody& built_;
};

bool ShapeBuilder::CheckHeight(const Vec3& height) {
  if (Norm(height) > context_.D()) return true;
  return Fail(platform::FormatText(messages::kShortHeight, name_, id_, context_.D()));
}

bool ShapeBuilder::Cylinder(Vec3 base, Vec3 height, double radius) {
  if (!CheckHeight(height)) return false;
  Vec3 axis = Unit(height);
  built_.kind = MacrobodyKind::RCC;
  built_.facets = {MakeCylinder(base, axis, radius), MakePlane(base + height, axis), MakePlane(base, -axis)};
  return true;
}

bool ShapeBuilder::CheckedConeAngle(double tangent, double& angle) {
  angle = std::atan(tangent);
  double a = context_.A();
  if (angle > a && angle < kPi / 2 - a) return true;
  return Fail(platform::FormatText(messages::kTruncatedConeAngle, name_, id_, angle / kDegree, a / kDegree, 90 - a / kDegree));
}

bool ShapeBuilder::TruncatedCone(Vec3 base, Vec3 height, double baseRadius, double topRadius) {
  if (!CheckHeight(height)) return false;
  if (std::fabs(baseRadius - topRadius) <= context_.D()) return Fail(platform::FormatText(messages::kEqualRadii, name_, id_));
  double length = Norm(height);
  Vec3 axis = Unit(height);
  double tangent = 0;
  Vec3 apex;
  Vec3 coneAxis;
  if (topRadius > baseRadius) {
    tangent = (topRadius - baseRadius) / length;
    apex = base - (baseRadius / tangent) * axis;
    coneAxis = axis;
  } else {
    tangent = (baseRadius - topRadius) / length;
    apex = base + (length + topRadius / tangent) * axis;
    coneAxis = -axis;
  }
  double angle = 0;
  if (!CheckedConeAngle(tangent, angle)) return false;
  built_.kind = MacrobodyKind::TRC;
  built_.facets = {MakeCone(apex, coneAxis, angle), MakePlane(base + height, axis), MakePlane(base, -axis)};
  return true;
}

bool ShapeBuilder::CheckEdgeLengths(const std::array<Vec3, 3>& edges) {
  for (int k = 0; k < 3; ++k)
    if (Norm(edges[k]) <= context_.D()) return Fail(platform::FormatText(messages::kShortEdge, name_, id_, k + 1, context_.D()));
  return true;
}

bool ShapeBuilder::CheckEdgeIndependence(const std::array<Vec3, 3>& edges) {
  for (int k = 0; k < 3; ++k) {
    int i = kEdgePairs[k][0];
    int j = kEdgePairs[k][1];
    Vec3 normal = Cross(Unit(edges[i]), Unit(edges[j]));
    if (Norm(normal) <= context_.A()) return Fail(platform::FormatText(messages::kEdgesCollinear, name_, id_, i + 1, j + 1));
    if (std::fabs(Dot(Unit(normal), edges[k])) <= context_.D())
      return Fail(platform::FormatText(messages::kEdgesCoplanar, name_, id_));
  }
  return true;
}

bool ShapeBuilder::BoxFacets(const Vec3& corner, const std::array<Vec3, 3>& edges, std::array<Vec3, 3>& normals) {
  if (!CheckEdgeIndependence(edges)) return false;
  Vec3 far = corner + edges[0] + edges[1] + edges[2];
  built_.facets.clear();
  for (int k = 0; k < 3; ++k) {
    Vec3 normal = Unit(Cross(Unit(edges[kEdgePairs[k][0]]), Unit(edges[kEdgePairs[k][1]])));
    if (Dot(normal, edges[k]) < 0) normal = -normal;
    normals[k] = normal;
    built_.facets.push_back(MakePlane(far, normal));
    built_.facets.push_back(MakePlane(corner, -normal));
  }
  return true;
}

bool ShapeBuilder::Box(const Vec3& corner, const std::array<Vec3, 3>& edges, const TransformRecord* transform) {
  if (!CheckEdgeLengths(edges)) return false;
  Vec3 movedCorner = AsPoint(transform, corner);
  std::array<Vec3, 3> moved{AsVector(transform, edges[0]), AsVector(transform, edges[1]), AsVector(transform, edges[2])};
  std::array<Vec3, 3> normals;
  if (!BoxFacets(movedCorner, moved, normals)) return false;
  built_.kind = MacrobodyKind::BOX;
  built_.parameters = {movedCorner.x, movedCorner.y, movedCorner.z};
  for (const Vec3& edge : moved) built_.parameters.insert(built_.parameters.end(), {edge.x, edge.y, edge.z});
  return true;
}

// The coordinate axis (0, 1, 2) that `normal` is parallel to, or -1.
int ParallelAxis(const Vec3& normal, double anglePrecision) {
  const Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  for (int a = 0; a < 3; ++a)
    if (Norm(Cross(normal, axes[a])) <= anglePrecision) return a;
  return -1;
}


bool ShapeBuilder::Rpp(const double* bounds, const TransformRecord* transform) {
  for (int k = 0; k < 3; ++k)
    if (std::fabs(bounds[2 * k + 1] - bounds[2 * k]) <= context_.D())
      return Fail(platform::FormatText(messages::kSmallBox, name_, id_, context_.D()));
  Vec3 corner = AsPoint(transform, {bounds[0], bounds[2], bounds[4]});
  std::array<Vec3, 3> edges{AsVector(transform, {bounds[1] - bounds[0], 0, 0}),
                            AsVector(transform, {0, bounds[3] - bounds[2], 0}),
                            AsVector(transform, {0, 0, bounds[5] - bounds[4]})};
  std::array<Vec3, 3> normals;
  if (!BoxFacets(corner, edges, normals)) return false;
  built_.kind = MacrobodyKind::RPP;
  if (transform == nullptr) {
    built_.parameters.assign(bounds, bounds + 6);
    return true;
  }
  Vec3 far = corner + edges[0] + edges[1] + edges[2];
  std::vector<double> aligned(6, 0.0);
  for (int k = 0; k < 3; ++k) {
    int axis = ParallelAxis(normals[k], context_.A());
    if (axis < 0) {
      // Turned off the axes: drawn as a box with edges along the face normals.
      built_.kind = MacrobodyKind::BOX;
      built_.parameters = {corner.x, corner.y, corner.z};
      for (const Vec3& n : normals) {
        Vec3 edge = Dot(n, far - corner) * n;
        built_.parameters.insert(built_.parameters.end(), {edge.x, edge.y, edge.z});
      }
      return true;
    }
    double a = Component(corner, axis);
    double b = Component(far, axis);
    aligned[2 * axis] = std::fmin(a, b);
    aligned[2 * axis + 1] = std::fmax(a, b);
  }
  built_.parameters = aligned;
  return true;
}

bool ShapeBuilder::HexagonalPrism(const Vec3& base, const Vec3& height, const Vec3& toSide) {
  if (!CheckHeight(height)) return false;
  double side = Norm(toSide);
  if (side <= context_.D()) return Fail(platform::FormatText(messages::kShortSideDistance, name_, id_, context_.D()));
  Vec3 axis = Unit(height);
  Vec3 u = Unit(toSide);
  if (std::fabs(Dot(axis, u)) > context_.A()) return Fail(platform::FormatText(messages::kPrismNotOrthogonal, name_, id_));
  Vec3 w = Cross(axis, u);
  built_.kind = MacrobodyKind::RHP;
  built_.facets.clear();
  for (double degrees : {0.0, 60.0, 120.0}) {
    Vec3 offset = side * (std::cos(degrees * kDegree) * u + std::sin(degrees * kDegree) * w);
    Vec3 normal = Unit(offset);
    built_.facets.push_back(MakePlane(base + offset, normal));
    built_.facets.push_back(MakePlane(base - offset, -normal));
  }
  built_.facets.push_back(MakePlane(base + height, axis));
  built_.facets.push_back(MakePlane(base, -axis));
  return true;
}

// `normal` turned so that its component along `reference` has the sign wanted.
Vec3 Oriented(Vec3 normal, const Vec3& reference, bool positive) {
  double along = Dot(normal, reference);
  if (positive ? along < 0 : along > 0) normal = -normal;
  return normal;
}

bool ShapeBuilder::Wedge(const Vec3& vertex, const std::array<Vec3, 3>& edges) {
  if (!CheckEdgeLengths(edges) || !CheckEdgeIndependence(edges)) return false;
  const Vec3& a1 = edges[0];
  const Vec3& a2 = edges[1];
  const Vec3& a3 = edges[2];
  Vec3 slanted = Oriented(Unit(Cross(a2 - a1, a3)), a1, true);
  Vec3 side2 = Oriented(Unit(Cross(a2, a3)), a1, false);
  Vec3 side3 = Oriented(Unit(Cross(a1, a3)), a2, false);
  Vec3 top = Oriented(Unit(Cross(a1, a2)), a3, true);
  built_.kind = MacrobodyKind::WED;
  built_.facets = {MakePlane(vertex + a1, slanted), MakePlane(vertex, side2), MakePlane(vertex, side3),
                   MakePlane(vertex + a3, top), MakePlane(vertex, -top)};
  return true;
}

bool ShapeBuilder::Tetrahedron(const std::array<Vec3, 4>& v) {
  std::array<Vec3, 3> edges{v[1] - v[0], v[2] - v[0], v[3] - v[0]};
  if (!CheckEdgeLengths(edges)) return false;
  built_.facets.clear();
  // Face k holds the two edges other than edge k and points away from the
  // vertex at the end of edge k.
  for (int k = 0; k < 3; ++k) {
    Vec3 normal = Cross(Unit(edges[kEdgePairs[k][0]]), Unit(edges[kEdgePairs[k][1]]));
    if (Norm(normal) <= context_.A() || std::fabs(Dot(Unit(normal), edges[k])) <= context_.D())
      return Fail(platform::FormatText(messages::kVerticesCoplanar, name_, id_));
    built_.facets.push_back(MakePlane(v[0], Oriented(Unit(normal), edges[k], false)));
  }
  Vec3 centroid = (1.0 / 3) * (v[1] + v[2] + v[3]);
  Vec3 normal = Cross(v[2] - v[1], v[3] - v[2]);
  if (Norm(normal) == 0) return Fail(platform::FormatText(messages::kVerticesCoplanar, name_, id_));
  built_.facets.push_back(MakePlane(centroid, Oriented(Unit(normal), v[0] - centroid, false)));
  built_.kind = MacrobodyKind::ARB4;
  built_.parameters.clear();
  for (const Vec3& vertex : v) built_.parameters.insert(built_.parameters.end(), {vertex.x, vertex.y, vertex.z});
  return true;
}

struct FaceCode {
  int code = 0;
  int digits[4] = {0, 0, 0, 0};  // a, b, c (1-based vertices), d (0: triangle)
};

bool ShapeBuilder::Polyhedron(const double* entries, const TransformRecord* transform) {
  std::vector<FaceCode> faces;
  std::array<bool, 8> used{};
  for (int e = 24; e < 30; ++e) {
    double value = entries[e];
    if (value == 0) continue;
    if (value < 1229.999999 || value > 8765.000001)
      return Fail(platform::FormatText(messages::kFaceCodeOutOfRange, name_, id_, value));
    FaceCode face;
    face.code = static_cast<int>(std::lround(value));
    int rest = face.code;
    for (int k = 3; k >= 0; --k, rest /= 10) face.digits[k] = rest % 10;
    bool valid = face.digits[3] <= 8;
    for (int k = 0; k < 3; ++k) valid = valid && face.digits[k] >= 1 && face.digits[k] <= 8;
    for (int i = 0; i < 4; ++i)
      for (int j = i + 1; j < 4; ++j) valid = valid && (face.digits[i] == 0 || face.digits[i] != face.digits[j]);
    if (!valid) return Fail(platform::FormatText(messages::kFaceCodeDigits, name_, id_, face.code));
    for (int k = 0; k < 3; ++k) used[static_cast<std::size_t>(face.digits[k] - 1)] = true;
    faces.push_back(face);
  }
  if (faces.size() < 4) return Fail(platform::FormatText(messages::kTooFewPlanes, name_, id_));
  std::array<Vec3, 8> vertex;
  for (int k = 0; k < 8; ++k) vertex[static_cast<std::size_t>(k)] = AsPoint(transform, Entry(entries, 3 * k));
  const double d = context_.D();
  for (int i = 0; i < 8; ++i)
    for (int j = i + 1; j < 8; ++j)
      if (used[i] && used[j] && Norm(vertex[i] - vertex[j]) <= d)
        return Fail(platform::FormatText(messages::kVerticesTooClose, name_, id_, i + 1, j + 1, d));
  std::vector<Vec3> points;
  std::vector<Vec3> normals;
  for (const FaceCode& face : faces) {
    const Vec3& a = vertex[face.digits[0] - 1];
    const Vec3& b = vertex[face.digits[1] - 1];
    const Vec3& c = vertex[face.digits[2] - 1];
    Vec3 normal = Cross(Unit(a - b), Unit(c - b));
    if (Norm(normal) <= context_.A()) return Fail(platform::FormatText(messages::kFaceCornersCollinear, name_, id_, face.code));
    normal = Unit(normal);
    if (face.digits[3] != 0 && std::fabs(Dot(vertex[face.digits[3] - 1] - b, normal)) > d)
      context_.Warn(platform::FormatText(messages::kFaceCodeInconsistent, name_, id_, face.code, face.digits[3], face.digits[0],
                               face.digits[1], face.digits[2]));
    points.push_back(b);
    normals.push_back(normal);
  }
  for (std::size_t i = 0; i < faces.size(); ++i)
    for (std::size_t j = 0; j < i; ++j)
      if (Norm(Cross(normals[i], normals[j])) <= context_.A() && std::fabs(Dot(points[i] - points[j], normals[i])) <= d)
        return Fail(platform::FormatText(messages::kPlanesCoincide, name_, id_));
  auto distance = [&](std::size_t plane, int v) { return Dot(vertex[v] - points[plane], normals[plane]); };
  for (int v = 0; v < 8; ++v) {
    if (!used[v]) continue;
    int planesThrough = 0;
    for (std::size_t p = 0; p < faces.size(); ++p)
      if (std::fabs(distance(p, v)) <= d) ++planesThrough;
    if (planesThrough < 3)
      return Fail(platform::FormatText(messages::kVertexOnTooFewPlanes, name_, id_, v + 1, vertex[v].x, vertex[v].y, vertex[v].z));
  }
  built_.kind = MacrobodyKind::ARB;
  built_.facets.clear();
  for (std::size_t p = 0; p < faces.size(); ++p) {
    int on = 0;
    bool positive = false;
    bool negative = false;
    for (int v = 0; v < 8; ++v) {
      if (!used[v]) continue;
      double s = distance(p, v);
      if (std::fabs(s) <= d) ++on;
      else if (s > 0) positive = true;
      else negative = true;
    }
    int number = static_cast<int>(p) + 1;
    if (positive && negative) return Fail(platform::FormatText(messages::kVerticesOnBothSides, name_, id_, number));
    if (on < 3) return Fail(platform::FormatText(messages::kPlaneWithFewVertices, name_, id_, number));
    built_.facets.push_back(MakePlane(points[p], positive ? -normals[p] : normals[p]));
  }
  return true;
}

std::array<Vec3, 3> Edges(const TransformRecord* transform, const double* entries, int first) {
  return {AsVector(transform, Entry(entries, first)), AsVector(transform, Entry(entries, first + 3)),
          AsVector(transform, Entry(entries, first + 6))};
}

std::array<Vec3, 4> Vertices(const TransformRecord* transform, const double* entries) {
  return {AsPoint(transform, Entry(entries, 0)), AsPoint(transform, Entry(entries, 3)),
          AsPoint(transform, Entry(entries, 6)), AsPoint(transform, Entry(entries, 9))};
}

}  // namespace

const char* MacrobodyTypeName(MacrobodyKind kind) { return WordsOf(kind).name; }

bool BuildStandardMacrobody(DirectiveContext& context, MacrobodyKind kind, const ShapeInput& input,
                            BuiltMacrobody& built) {
  ShapeBuilder builder(context, input.typeName, input.id, built);
  const double* e = input.entries;
  const TransformRecord* t = input.transform;
  switch (kind) {
    case MacrobodyKind::RCC:
      return builder.Cylinder(AsPoint(t, Entry(e, 0)), AsVector(t, Entry(e, 3)), e[6]);
    case MacrobodyKind::TRC:
      return builder.TruncatedCone(AsPoint(t, Entry(e, 0)), AsVector(t, Entry(e, 3)), e[6], e[7]);
    case MacrobodyKind::BOX:
      return builder.Box(Entry(e, 0), Edges(nullptr, e, 3), t);
    case MacrobodyKind::RPP:
      return builder.Rpp(e, t);
    case MacrobodyKind::RHP:
      return builder.HexagonalPrism(AsPoint(t, Entry(e, 0)), AsVector(t, Entry(e, 3)), AsVector(t, Entry(e, 6)));
    case MacrobodyKind::WED:
      return builder.Wedge(AsPoint(t, Entry(e, 0)), Edges(t, e, 3));
    case MacrobodyKind::ARB4:
      return builder.Tetrahedron(Vertices(t, e));
    case MacrobodyKind::ARB:
      return builder.Polyhedron(e, t);
    case MacrobodyKind::General:
      break;
  }
  return false;
}

bool BuildTransformedCopy(DirectiveContext& context, const MacrobodyRecord& original,
                          const TransformRecord& transform, std::int32_t id, BuiltMacrobody& built) {
  const char* name = MacrobodyTypeName(original.kind);
  const double* p = original.parameters.data();
  ShapeBuilder builder(context, name, id, built);
  switch (original.kind) {
    case MacrobodyKind::BOX:
      return builder.Box(Entry(p, 0), Edges(nullptr, p, 3), &transform);
    case MacrobodyKind::RPP:
      return builder.Rpp(p, &transform);
    case MacrobodyKind::ARB4:
      return builder.Tetrahedron(Vertices(&transform, p));
    default:
      break;
  }
  built.kind = original.kind;
  built.parameters.clear();
  built.facets.clear();
  for (int k = 0; k < original.facetCount(); ++k)
    built.facets.push_back(TransformSurface(OutwardFacet(context.model, original, k), transform));
  return true;
}

}  // namespace tessarin::input
