#pragma once
// The facets of the standard macrobodies (RCC, TRC, BOX, RPP, RHP/HEX, WED,
// ARB4, ARB), with every check of their entries, and of transformed copies
// of stored ones.

#include "input/surface_storage.h"

namespace tessarin::input {

struct ShapeInput {
  const char* typeName = "";  // the name used in messages
  std::int32_t id = 0;
  const double* entries = nullptr;
  const TransformRecord* transform = nullptr;  // nullptr: main coordinates
};

// false after an error (reported through the context).
[[nodiscard]] bool BuildStandardMacrobody(DirectiveContext& context, MacrobodyKind kind, const ShapeInput& input,
                            BuiltMacrobody& built);

// The stored macrobody `original` moved by `transform`.
[[nodiscard]] bool BuildTransformedCopy(DirectiveContext& context, const MacrobodyRecord& original,
                          const TransformRecord& transform, std::int32_t id, BuiltMacrobody& built);

// The name of a standard macrobody kind in messages ("box", ...).
const char* MacrobodyTypeName(MacrobodyKind kind);

}  // namespace tessarin::input
