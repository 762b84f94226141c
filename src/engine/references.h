#pragma once
// References made by loc, stored in a value slot as an exact integer: the
// kind above bit 50, then the target. Decoding checks every part, so a value
// that did not come from loc (or names a frame or slot that no longer
// exists) is refused instead of reaching other memory.

#include <cstdint>
#include <optional>

namespace tessarin::engine {

enum class ReferenceKind : int { kFrameVariable = 1, kGlobal = 2, kFunction = 3 };

struct Reference {
  ReferenceKind kind = ReferenceKind::kFrameVariable;
  std::int64_t depth = 0;  // call depth of the frame (frame variables)
  std::int64_t index = 0;  // slot, global number or program slot
};

double EncodeReference(const Reference& reference);
std::optional<Reference> DecodeReference(double value);

}  // namespace tessarin::engine
