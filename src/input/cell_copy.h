#pragma once
// A cell defined as a transformed copy of an earlier cell: "TR<k> <cell>"
// in a C<n> directive.

#include <cstdint>
#include <string>

#include "input/bounding_list.h"
#include "input/directive_context.h"

namespace tessarin::input {

struct CellCopyState {
  bool copied = false;
  std::int16_t copyRoot = -1;
  TransformRecord transform;  // from the root original onto the copy
};

// Whether the token names a transformation ("TR" and an integer >= 1).
[[nodiscard]] bool IsCellTransformToken(std::string_view token);

// Reads the original cell after `transformToken` and fills `list` with its
// bounding surfaces moved by the transformation, reusing coinciding
// surfaces; false after an error.
[[nodiscard]] bool ReadCellCopy(DirectiveContext& context, const std::string& transformToken, bool surfacesGiven,
                  CellCopyState& state, BoundingList& list);

}  // namespace tessarin::input
