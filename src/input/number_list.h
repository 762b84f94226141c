#pragma once
// A fixed number of numeric entries in a row (a point, a vector, a point
// and a direction), each a complete number, with the directive's own
// messages for a missing, an invalid and a short list.

#include <optional>
#include <string>

#include "input/directive_context.h"

namespace tessarin::input {

struct NumberListTexts {
  const char* missing;   // no entry at all; nullptr: the `tooFew` text
  const char* invalid;   // "%s": the token
  const char* tooFew;
};

// Reads `count` entries into `values`, starting with `first` when the
// caller has already read it; later tokens are left unread.
[[nodiscard]] bool ReadNumberList(DirectiveContext& context, std::optional<std::string> first, double* values, int count,
                    const NumberListTexts& texts);

// Three entries as a vector.
[[nodiscard]] bool ReadVector(DirectiveContext& context, std::optional<std::string> first, Vec3& vector,
                const NumberListTexts& texts);

}  // namespace tessarin::input
