#pragma once
// The primitives that stand for whole surfaces and macrobodies: the long
// cylinders and cones of stand-alone surfaces, the macrobodies (and the
// "S<n>F1" primitives of their lateral facets), and the transformed
// macrobodies of copied cells.

#include "input/geometry_model.h"
#include "render/script_scene.h"

namespace tessarin::render {

void WriteStandAloneSurfaces(ScriptScene& scene);
void WriteMacrobodies(ScriptScene& scene);

// "in <name>" and the primitive of `macrobody` moved by `transform`
// (x' = M·x + t; nullptr: as defined). General macrobodies have none.
void WriteMacrobodyPrimitive(ScriptScene& scene, const char* name, const input::MacrobodyRecord& macrobody,
                             const input::TransformRecord* transform);

// "in <name> rcc|trc" for a truncated cylinder or cone from `base` along
// `height` (model units) with the given radii (a cylinder uses the first).
void WriteTruncatedPrimitive(ScriptScene& scene, const char* name, input::SurfaceKind kind, const input::Vec3& base,
                             const input::Vec3& height, double baseRadius, double topRadius);

// "in <name> trc" for the piece of a cone (apex, unit axis into the cone,
// tangent of the half-angle) between the distances `from` and `to` from the
// apex along the axis. Every piece of one cone lies on the very same conical
// surface, whatever its ends, so that cells sharing the cone meet exactly:
// the radius is the cone's own at both ends. MGED needs a radius above zero,
// so a piece begins no nearer the apex than where the cone's radius is the
// scene's smallest cone radius.
void WriteConePiece(ScriptScene& scene, const char* name, const input::Vec3& apex, const input::Vec3& axis,
                    double tanHalfAngle, double from, double to);

}  // namespace tessarin::render
