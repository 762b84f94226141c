#pragma once
// COMPLEX_GEOMETRY and the three precision keywords.

#include "input/directive_context.h"

namespace tessarin::input {

[[nodiscard]] bool SetComplexGeometry(DirectiveContext& context, const DirectiveCall& call);

// In the pre-scan a valid value is stored, so that it holds for the whole
// file; in the main pass it is only checked again.
[[nodiscard]] bool SetDistancePrecision(DirectiveContext& context, const DirectiveCall& call);
[[nodiscard]] bool SetAnglePrecision(DirectiveContext& context, const DirectiveCall& call);
[[nodiscard]] bool SetMaxDistanceRatio(DirectiveContext& context, const DirectiveCall& call);

}  // namespace tessarin::input
