#pragma once
// UNION<n>: cells joined into one region with one material, concentration,
// cut-off energies and forcing option.

#include "input/directive_context.h"

namespace tessarin::input {

[[nodiscard]] bool DefineUnion(DirectiveContext& context, const DirectiveCall& call);

// Whether cells `added` and `listed` may be parts of one union: both at the
// same depth, inside the same cell or inside cells of one union.
[[nodiscard]] bool CellsFitInOneUnion(const GeometryModel& model, int added, int listed);

}  // namespace tessarin::input
