#pragma once
// BEAM, SOURCE_POSITION and SOURCE_DIRECTION: where the source particles
// start and where they go, kept for drawing.

#include "input/directive_context.h"

namespace tessarin::input {

[[nodiscard]] bool DefineBeam(DirectiveContext& context, const DirectiveCall& call);
[[nodiscard]] bool DefineSourcePosition(DirectiveContext& context, const DirectiveCall& call);
[[nodiscard]] bool DefineSourceDirection(DirectiveContext& context, const DirectiveCall& call);

}  // namespace tessarin::input
