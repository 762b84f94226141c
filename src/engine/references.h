#pragma once
// References made by loc, stored in a value slot as an exact integer: the
// kind above bit 50, then the target. Decoding checks every part, so a value
// that did not come from loc (or names a frame or slot that no longer
// exists) is refused instead of reaching other memory.

#include <cstdint>
#include <optional>

namespace tessarin::engine {

enum class ReferenceKind : int { kFrameVariable = 1, kGlobal = 2, kFunction = 3, kArray = 4 };

struct Reference {
  ReferenceKind kind = ReferenceKind::kFrameVariable;
  std::int64_t depth = 0;  // call depth of the frame (frame variables)
  std::int64_t index = 0;  // slot, global number or program slot
};

double EncodeReference(const Reference& reference);
std::optional<Reference> DecodeReference(double value);

// A part of an array: the array, the number of leading dimensions fixed by
// indices and the element where the part starts.
struct ArrayReference {
  int array = 0;
  int fixed = 0;
  std::int64_t offset = 0;
};
double EncodeArrayReference(const ArrayReference& reference);
std::optional<ArrayReference> DecodeArrayReference(double value);

}  // namespace tessarin::engine
