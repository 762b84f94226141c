#pragma once
// S<n> MB: a general macrobody, the intersection of the regions its surface
// references list (in the syntax of cell bounding lists).

#include <cstdint>

#include "input/directive_context.h"

namespace tessarin::input {

// Reads the references after "MB" and appends macrobody `id`.
[[nodiscard]] bool DefineGeneralMacrobody(DirectiveContext& context, std::int32_t id);

}  // namespace tessarin::input
