#include "render/script_bodies.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/format_text.h"

namespace tessarin::render {

using input::MacrobodyKind;
using input::MacrobodyRecord;
using input::SurfaceKind;
using input::SurfaceRecord;
using input::TransformRecord;
using input::Vec3;

namespace {

const TransformRecord kIdentity{};

Vec3 Rotate(const TransformRecord& transform, const Vec3& v) {
  const auto& m = transform.matrix;
  return {m[0] * v.x + m[1] * v.y + m[2] * v.z, m[3] * v.x + m[4] * v.y + m[5] * v.z,
          m[6] * v.x + m[7] * v.y + m[8] * v.z};
}

Vec3 Place(const TransformRecord& transform, const Vec3& point) { return Rotate(transform, point) + transform.origin; }

const SurfaceRecord& Facet(const ScriptScene& scene, const MacrobodyRecord& macrobody, int facet) {
  return scene.model.surfaces[macrobody.facetSurfaces[static_cast<std::size_t>(facet)]];
}

Vec3 Projection(const Vec3& point, const SurfaceRecord& plane) {
  return point - Dot(plane.direction, point - plane.point) * plane.direction;
}

// The ends of a right circular cylinder or truncated cone: the lateral
// surface's reference point projected onto the top (facet 2) and base
// (facet 3) planes.
struct Ends {
  Vec3 apex, top, base;
};

Ends EndsOf(const ScriptScene& scene, const MacrobodyRecord& macrobody) {
  const Vec3 apex = Facet(scene, macrobody, 0).point;
  return {apex, Projection(apex, Facet(scene, macrobody, 1)), Projection(apex, Facet(scene, macrobody, 2))};
}

void AppendNumbers(ScriptScene& scene, const Vec3& v) { scene.Append(" %.15g %.15g %.15g", v.x, v.y, v.z); }

void WriteBox(ScriptScene& scene, const Vec3& corner, const std::array<Vec3, 3>& edges) {
  scene.text += " box";
  AppendNumbers(scene, scene.Scaled(corner));
  for (const Vec3& edge : edges) AppendNumbers(scene, scene.Scaled(edge));
}

bool AlongAxis(const Vec3& edge, const Vec3& axis, double anglePrecision) {
  const double length = Norm(edge);
  return length > 0 && Norm(Cross((1 / length) * edge, axis)) <= anglePrecision;
}

void WriteRpp(ScriptScene& scene, const MacrobodyRecord& macrobody, const TransformRecord& transform, bool moved) {
  const auto& p = macrobody.parameters;
  // The reader accepts a maximum given before its minimum; MGED does not.
  const Vec3 low{std::min(p[0], p[1]), std::min(p[2], p[3]), std::min(p[4], p[5])};
  const Vec3 high{std::max(p[0], p[1]), std::max(p[2], p[3]), std::max(p[4], p[5])};
  const std::array<Vec3, 3> axes{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  std::array<Vec3, 3> edges{{{high.x - low.x, 0, 0}, {0, high.y - low.y, 0}, {0, 0, high.z - low.z}}};
  Vec3 corner = low;
  if (moved) {
    corner = Place(transform, low);
    for (Vec3& edge : edges) edge = Rotate(transform, edge);
    bool parallel = true;
    for (const Vec3& edge : edges) {
      bool any = false;
      for (const Vec3& axis : axes) any = any || AlongAxis(edge, axis, scene.model.precision.anglePrecision);
      parallel = parallel && any;
    }
    if (!parallel) {
      WriteBox(scene, corner, edges);
      return;
    }
  }
  Vec3 far = corner + edges[0] + edges[1] + edges[2];
  const Vec3 a = scene.Scaled(corner), b = scene.Scaled(far);
  scene.Append(" rpp %.15g %.15g %.15g %.15g %.15g %.15g", std::min(a.x, b.x), std::max(a.x, b.x),
               std::min(a.y, b.y), std::max(a.y, b.y), std::min(a.z, b.z), std::max(a.z, b.z));
}

void WriteFacetArbn(ScriptScene& scene, const MacrobodyRecord& macrobody, const TransformRecord& transform) {
  scene.Append(" arbn %d", static_cast<int>(macrobody.facetCount()));
  for (int facet = 0; facet < macrobody.facetCount(); ++facet) {
    const SurfaceRecord& plane = Facet(scene, macrobody, facet);
    const Vec3 rotated = Rotate(transform, plane.direction);
    SurfaceRecord moved = plane;
    moved.direction = Norm(rotated) > 0 ? Unit(rotated) : plane.direction;
    moved.point = Place(transform, plane.point);
    moved.planeConstant = -Dot(moved.direction, moved.point);
    AppendArbnPlane(scene, moved, macrobody.facetSenses[static_cast<std::size_t>(facet)]);
  }
}

}  // namespace

void WriteTruncatedPrimitive(ScriptScene& scene, const char* name, SurfaceKind kind, const Vec3& base,
                             const Vec3& height, double baseRadius, double topRadius) {
  const Vec3 b = scene.Scaled(base), h = scene.Scaled(height);
  if (kind == SurfaceKind::Cylinder)
    scene.Append("in %s rcc   %.15g %.15g %.15g   %.15g %.15g %.15g   %.15g\n", name, b.x, b.y, b.z, h.x, h.y, h.z,
                 scene.scale * baseRadius);
  else
    scene.Append("in %s trc   %.15g %.15g %.15g   %.15g %.15g %.15g   %.15g %.15g\n", name, b.x, b.y, b.z, h.x, h.y,
                 h.z, scene.scale * baseRadius, scene.scale * topRadius);
}

void WriteConePiece(ScriptScene& scene, const char* name, const Vec3& apex, const Vec3& axis, double tanHalfAngle,
                    double from, double to) {
  const double epsilon = scene.minimumConeRadius;
  double start = std::max({from, 0.0, tanHalfAngle > 0 ? epsilon / tanHalfAngle : 0.0});
  // A piece that lies wholly where the cone is thinner than that keeps its
  // ends, at the smallest radius.
  if (!(start < to)) start = std::max(from, 0.0);
  WriteTruncatedPrimitive(scene, name, SurfaceKind::Cone, apex + start * axis, (to - start) * axis,
                          std::max(epsilon, tanHalfAngle * start), std::max(epsilon, tanHalfAngle * to));
}

void WriteStandAloneSurfaces(ScriptScene& scene) {
  for (int index = 0; index < scene.firstBoundingPlane; ++index) {
    const SurfaceRecord& surface = scene.model.surfaces[static_cast<std::size_t>(index)];
    // Copies (identifier 0) get their primitives with the cells that use them.
    if (surface.owner != -1 || surface.kind == SurfaceKind::Plane || surface.facetNumber <= 0) continue;
    const std::string name = platform::FormatText("S%d", surface.facetNumber);
    if (surface.kind == SurfaceKind::Sphere) {
      const Vec3 c = scene.Scaled(surface.point);
      scene.Append("in %s sph   %.15g %.15g %.15g   %.15g\n", name.c_str(), c.x, c.y, c.z,
                   scene.scale * surface.radius);
    } else if (surface.kind == SurfaceKind::Cylinder) {
      const double length = scene.Extended(4 * scene.worldSize, surface.point);
      WriteTruncatedPrimitive(scene, name.c_str(), surface.kind, surface.point - (length / 2) * surface.direction,
                              length * surface.direction, surface.radius, surface.radius);
    } else {
      const double length = scene.Extended(2 * scene.worldSize, surface.point);
      WriteConePiece(scene, name.c_str(), surface.point, surface.direction, surface.tanHalfAngle, 0, length);
    }
  }
}

void WriteMacrobodyPrimitive(ScriptScene& scene, const char* name, const MacrobodyRecord& macrobody,
                             const TransformRecord* transform) {
  const TransformRecord& move = transform ? *transform : kIdentity;
  const auto& p = macrobody.parameters;
  switch (macrobody.kind) {
    case MacrobodyKind::General:
      return;
    case MacrobodyKind::RCC:
    case MacrobodyKind::TRC: {
      const SurfaceRecord& lateral = Facet(scene, macrobody, 0);
      const Ends ends = EndsOf(scene, macrobody);
      const double baseRadius = macrobody.kind == MacrobodyKind::RCC
                                    ? lateral.radius
                                    : Norm(ends.apex - ends.base) * lateral.tanHalfAngle;
      const double topRadius = macrobody.kind == MacrobodyKind::RCC
                                   ? lateral.radius
                                   : Norm(ends.apex - ends.top) * lateral.tanHalfAngle;
      WriteTruncatedPrimitive(scene, name, lateral.kind, Place(move, ends.base), Rotate(move, ends.top - ends.base),
                              baseRadius, topRadius);
      return;
    }
    case MacrobodyKind::BOX:
      scene.Append("in %s", name);
      WriteBox(scene, Place(move, {p[0], p[1], p[2]}),
               {Rotate(move, {p[3], p[4], p[5]}), Rotate(move, {p[6], p[7], p[8]}), Rotate(move, {p[9], p[10], p[11]})});
      break;
    case MacrobodyKind::RPP:
      scene.Append("in %s", name);
      WriteRpp(scene, macrobody, move, transform != nullptr);
      break;
    case MacrobodyKind::ARB4:
      scene.Append("in %s arb4", name);
      for (int vertex = 0; vertex < 4; ++vertex) {
        const std::size_t k = static_cast<std::size_t>(3 * vertex);
        AppendNumbers(scene, scene.Scaled(Place(move, {p[k], p[k + 1], p[k + 2]})));
      }
      break;
    default:
      scene.Append("in %s", name);
      WriteFacetArbn(scene, macrobody, move);
      break;
  }
  scene.text += "\n";
}

void WriteMacrobodies(ScriptScene& scene) {
  for (const MacrobodyRecord& macrobody : scene.model.macrobodies) {
    if (macrobody.kind == MacrobodyKind::General) continue;
    const std::string name = platform::FormatText("S%d", macrobody.id);
    WriteMacrobodyPrimitive(scene, name.c_str(), macrobody, nullptr);
    if (macrobody.kind != MacrobodyKind::RCC && macrobody.kind != MacrobodyKind::TRC) continue;
    // The infinite lateral facet, for cells that refer to it explicitly.
    const SurfaceRecord& lateral = Facet(scene, macrobody, 0);
    const Ends ends = EndsOf(scene, macrobody);
    const std::string facetName = name + "F1";
    if (macrobody.kind == MacrobodyKind::RCC) {
      const double length = scene.Extended(4 * scene.worldSize, ends.base);
      const Vec3 axis = Norm(ends.top - ends.base) > 0 ? Unit(ends.top - ends.base) : lateral.direction;
      WriteTruncatedPrimitive(scene, facetName.c_str(), SurfaceKind::Cylinder, ends.base - (length / 2) * axis,
                              length * axis, lateral.radius, lateral.radius);
    } else {
      const double length = scene.Extended(2 * scene.worldSize, ends.apex);
      WriteConePiece(scene, facetName.c_str(), ends.apex, lateral.direction, lateral.tanHalfAngle, 0, length);
    }
  }
}

}  // namespace tessarin::render
