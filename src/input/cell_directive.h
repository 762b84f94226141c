#pragma once
// C<n>: a cell of complex geometry: a material and a concentration, bounded
// by surfaces, optionally excluding the cells listed after '#', or a
// transformed copy of an earlier cell.

#include "input/directive_context.h"

namespace tessarin::input {

[[nodiscard]] bool DefineCell(DirectiveContext& context, const DirectiveCall& call);

}  // namespace tessarin::input
