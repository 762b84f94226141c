#pragma once
// Simple (layer) geometry: one homogeneous layer or half-space of material 1
// behind a front plane. MAT names the material, Surface gives the front
// plane, THICK the thickness; the end of a read completes the model.

#include "input/directive_context.h"

namespace tessarin::input {

[[nodiscard]] bool DefineLayerMaterial(DirectiveContext& context, const DirectiveCall& call);
[[nodiscard]] bool DefineLayerSurface(DirectiveContext& context, const DirectiveCall& call);
[[nodiscard]] bool DefineLayerThickness(DirectiveContext& context, const DirectiveCall& call);

// The front plane (z = 0 facing +z unless Surface gave one), the rear plane
// when `thickness` > 0, and the one cell between them.
void CompleteLayerGeometry(GeometryModel& model, double thickness);

}  // namespace tessarin::input
