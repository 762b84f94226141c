#pragma once
// TR<n> and *TR<n>: an auxiliary coordinate system given by its origin and
// its axes in main (or a primary transformation's) coordinates.

#include "input/directive_context.h"

namespace tessarin::input {

[[nodiscard]] bool DefineTransformation(DirectiveContext& context, const DirectiveCall& call);

}  // namespace tessarin::input
