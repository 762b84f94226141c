#pragma once
// S<n>: a regular surface, a standard macrobody, or a transformed copy of
// an earlier surface or macrobody.

#include "input/directive_context.h"

namespace tessarin::input {

[[nodiscard]] bool DefineSurface(DirectiveContext& context, const DirectiveCall& call);

}  // namespace tessarin::input
