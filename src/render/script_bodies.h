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

}  // namespace tessarin::render
