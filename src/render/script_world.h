#pragma once
// The world: the cube around the view centre that every infinite surface is
// cut to, as an rpp, or as an arbn with the cut-away plane.

#include "render/script_scene.h"

namespace tessarin::render {

// Writes the World solid and sets the scene's world plane list. False when
// the cut-away plane leaves nothing of the world (nothing written then).
[[nodiscard]] bool WriteWorld(ScriptScene& scene);

}  // namespace tessarin::render
