#pragma once
// The cells of the script: for each cell its clipped primitives, its base
// solid (the world, a cell-sized box, one of its own primitives, or an arbn
// of its planes) and the combination "C<id>" that intersects the base with
// the cell's primitives and subtracts its complements.

#include "render/script_scene.h"

namespace tessarin::render {

void WriteCells(ScriptScene& scene);

}  // namespace tessarin::render
