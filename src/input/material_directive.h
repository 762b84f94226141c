#pragma once
// M<n>: a material of complex geometry, with an optional quoted name.

#include <string>

#include "input/directive_context.h"

namespace tessarin::input {

[[nodiscard]] bool DefineMaterial(DirectiveContext& context, const DirectiveCall& call);

// Appends material `id` and returns its index.
int AppendMaterial(MaterialTable& materials, std::int32_t id, std::string name = {});

}  // namespace tessarin::input
