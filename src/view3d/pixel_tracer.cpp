#include "view3d/pixel_tracer.h"

#include <algorithm>
#include <cmath>

#include "raytrace/surface_crossing.h"

namespace tessarin::view3d {

namespace {

using raytrace::Ray;
using raytrace::Span;

// Where a part begins when it is not at a surface of the model.
constexpr std::int32_t kAtLimit = raytrace::kTraceLimit;  // the world cube, the cut-away plane or the eye
constexpr std::int32_t kAtSphereExit = -2;                // the source sphere, left behind
constexpr std::int32_t kAtSphere = -3;                    // the source sphere itself

// Below this share nothing behind can change a pixel visibly.
constexpr float kUnseen = 0.02f;
constexpr float kEyeInsideGrey = 0.18f;
// A light at the eye: some ambient light, diffuse light and a highlight.
constexpr float kAmbient = 0.15f;
constexpr float kDiffuse = 0.85f;
constexpr float kHighlight = 0.3f;

Colour Lit(const Rgb& colour, const Vec3& normal, const Vec3& direction) {
  const auto facing = static_cast<float>(std::fabs(Dot(normal, direction)));
  const float light = kAmbient + kDiffuse * facing;
  float shine = facing * facing;  // facing to the 16th power, the highlight's narrowness
  shine *= shine;
  shine *= shine;
  shine *= shine;
  const float highlight = kHighlight * shine;
  Colour lit{};
  for (std::size_t k = 0; k < 3; ++k) lit[k] = std::min(1.0f, colour[k] / 255.0f * light + highlight);
  return lit;
}


}  // namespace

// The stretch of the ray where cells are seen, and what bounds its start.
struct PixelTracer::Limits {
  double from = 0, to = HUGE_VAL;
  Vec3 fromNormal;
  bool fromAtEye = false;
  Span sphere;
  Vec3 sphereCentre;
};

double StandOff(const ViewSettings& view, double maximumObjectSizeRatio) {
  const double half = 0.5 * std::fabs(view.viewSize * maximumObjectSizeRatio);
  return 1.01 * std::sqrt(3.0) * half + std::fabs(view.viewSize);
}

PixelTracer::PixelTracer(const Scene& scene, const Camera& camera, const ViewSettings& view,
                         const RenderOptions& options)
    : scene_(scene), camera_(camera), options_(options) {
  // The world the engine was built for, not the one around this view.
  worldLow_ = scene.engine->World().low;
  worldHigh_ = scene.engine->World().high;
  joinGap_ = std::max(scene.engine->Tolerance(), 1e-10 * std::fabs(view.viewSize));
}

PixelShade PixelTracer::Trace(double x, double y, std::vector<PixelLayer>* layers) {
  const Ray ray = camera_.RayThrough(x, y);
  PixelShade shade;
  Limits limits;
  limits.fromAtEye = camera_.Perspective();
  bool cellsSeen = true;
  for (int axis = 0; axis < 3 && cellsSeen; ++axis) {
    const double at = Component(ray.origin, axis), rate = Component(ray.direction, axis);
    if (rate == 0) {
      cellsSeen = at >= Component(worldLow_, axis) && at <= Component(worldHigh_, axis);
      continue;
    }
    const double low = (Component(worldLow_, axis) - at) / rate, high = (Component(worldHigh_, axis) - at) / rate;
    if (std::min(low, high) > limits.from) {
      limits.from = std::min(low, high);
      limits.fromNormal = Vec3{};
      Component(limits.fromNormal, axis) = rate > 0 ? -1 : 1;
      limits.fromAtEye = false;
    }
    limits.to = std::min(limits.to, std::max(low, high));
  }
  if (scene_.cutaway) {
    const double height = Dot(scene_.cutaway->normal, ray.origin - scene_.cutaway->point);
    const double rate = Dot(scene_.cutaway->normal, ray.direction);
    if (rate == 0) {
      cellsSeen = cellsSeen && height < 0;
    } else if (rate > 0) {
      limits.to = std::min(limits.to, -height / rate);
    } else if (-height / rate > limits.from) {
      limits.from = -height / rate;
      limits.fromNormal = scene_.cutaway->normal;
      limits.fromAtEye = false;
    }
  }
  cellsSeen = cellsSeen && limits.from < limits.to;
  if (scene_.SourceShown()) {
    raytrace::SurfaceShape sphere;
    sphere.kind = input::SurfaceKind::Sphere;
    sphere.point = limits.sphereCentre = *scene_.sourceCentre;
    sphere.radius = scene_.sourceRadius;
    limits.sphere = raytrace::NegativeSide(sphere, ray);
    if (limits.sphere.exit <= 0) limits.sphere = Span{};  // behind the eye
  }
  const bool sphereAhead = !limits.sphere.Empty();

  running_.clear();
  bool sphereDone = !sphereAhead;
  const Part spherePart{scene_.sourceLook, -1, kAtSphere, std::max(limits.sphere.entry, 0.0), limits.sphere.exit};
  bool going = true;
  if (cellsSeen) {
    raytrace::RayWalk walk(*scene_.engine, scratch_, ray, limits.from, limits.to);
    while (going && walk.Next(pieces_)) {
      CollectParts(pieces_, limits.sphere);
      for (const Part& part : parts_) {
        if (!sphereDone && spherePart.entry <= part.entry) {
          sphereDone = true;
          going = AddLayer(spherePart, ray, limits, shade, layers);
          if (!going) break;
        }
        const auto running = std::find_if(running_.begin(), running_.end(),
                                          [&](const Running& r) { return r.look == part.look; });
        if (running != running_.end() && part.entry <= running->until + joinGap_) {
          running->until = std::max(running->until, part.exit);
          continue;
        }
        if (running != running_.end()) running->until = part.exit;
        else running_.push_back({part.look, part.exit});
        going = AddLayer(part, ray, limits, shade, layers);
        if (!going) break;
      }
    }
  }
  if (going && !sphereDone) AddLayer(spherePart, ray, limits, shade, layers);
  return shade;
}

// The shown regions' stretches of one settled piece of the ray, without the
// source sphere, by entry.
void PixelTracer::CollectParts(const std::vector<raytrace::CellPiece>& pieces, const Span& sphere) {
  parts_.clear();
  for (const raytrace::CellPiece& piece : pieces) {
    const std::int32_t look = scene_.cellLooks[static_cast<std::size_t>(piece.cell)];
    if (look < 0 || !scene_.looks[static_cast<std::size_t>(look)].shown) continue;
    const Part part{look, piece.cell, piece.span.entrySurface, piece.span.entry, piece.span.exit};
    // A stretch of rounding length is no region: a cell's cap that is written
    // as another plane than the coinciding face of its neighbour starts a
    // hair before that neighbour, and must not hide it.
    if (part.exit - part.entry <= joinGap_) continue;
    if (sphere.Empty() || sphere.exit <= part.entry || sphere.entry >= part.exit) {
      parts_.push_back(part);
      continue;
    }
    if (part.entry < sphere.entry) parts_.push_back({look, piece.cell, part.surface, part.entry, sphere.entry});
    if (sphere.exit < part.exit) parts_.push_back({look, piece.cell, kAtSphereExit, sphere.exit, part.exit});
  }
  if (parts_.size() > 1)
    std::sort(parts_.begin(), parts_.end(), [](const Part& a, const Part& b) { return a.entry < b.entry; });
}

// Mixes the region entered into the pixel; false once nothing behind shows.
bool PixelTracer::AddLayer(const Part& part, const Ray& ray, const Limits& limits, PixelShade& shade,
                           std::vector<PixelLayer>* layers) {
  if (shade.hit.look < 0) shade.hit = {part.cell, part.look, part.entry};
  if (layers) layers->push_back({static_cast<float>(part.entry), shade.transmission, shade.colour});
  const Look& look = scene_.looks[static_cast<std::size_t>(part.look)];
  const Vec3 at = ray.At(part.entry);
  bool eyeInside = false;
  Vec3 normal = limits.fromNormal;
  switch (part.surface) {
    case kAtSphere:
      eyeInside = limits.sphere.entry < 0 && camera_.Perspective();
      normal = at - limits.sphereCentre;
      break;
    case kAtSphereExit: normal = at - limits.sphereCentre; break;
    case kAtLimit: eyeInside = limits.fromAtEye; break;
    default: normal = scene_.engine->Normal(part.surface, at); break;
  }
  float opacity = options_.translucency ? 1.0f - static_cast<float>(look.transparency) : 1.0f;
  Colour colour{kEyeInsideGrey, kEyeInsideGrey, kEyeInsideGrey};
  if (eyeInside) opacity = 1;
  else colour = Lit(look.colour, Norm(normal) > 0 ? Unit(normal) : -1.0 * ray.direction, ray.direction);
  float seen = 0;
  for (std::size_t k = 0; k < 3; ++k) {
    shade.colour[k] += shade.transmission[k] * opacity * colour[k];
    shade.transmission[k] *= (1 - opacity) * look.colour[k] / 255.0f;
    seen = std::max(seen, shade.transmission[k]);
  }
  return seen > kUnseen;
}

}  // namespace tessarin::view3d
