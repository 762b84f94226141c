#include "engine/references.h"

#include <cmath>

namespace tessarin::engine {
namespace {
constexpr std::int64_t kKindUnit = std::int64_t{1} << 50;
constexpr std::int64_t kDepthUnit = std::int64_t{1} << 32;
}  // namespace

double EncodeReference(const Reference& reference) {
  std::int64_t code = static_cast<std::int64_t>(reference.kind) * kKindUnit;
  if (reference.kind == ReferenceKind::kFrameVariable) code += reference.depth * kDepthUnit;
  code += reference.index;
  return static_cast<double>(code);
}

std::optional<Reference> DecodeReference(double value) {
  if (!std::isfinite(value) || value < static_cast<double>(kKindUnit) || value >= 5.0 * static_cast<double>(kKindUnit) ||
      std::trunc(value) != value)
    return std::nullopt;
  auto code = static_cast<std::int64_t>(value);
  Reference reference;
  reference.kind = static_cast<ReferenceKind>(code / kKindUnit);
  std::int64_t payload = code % kKindUnit;
  if (reference.kind == ReferenceKind::kFrameVariable) {
    reference.depth = payload / kDepthUnit;
    reference.index = payload % kDepthUnit;
  } else {
    reference.index = payload;
  }
  return reference;
}

// Array payloads: fixed dimensions above bit 44, the array above bit 31,
// then the element offset.
double EncodeArrayReference(const ArrayReference& reference) {
  Reference packed{ReferenceKind::kArray, 0,
                   (std::int64_t{reference.fixed} << 44) | (std::int64_t{reference.array} << 31) | reference.offset};
  return EncodeReference(packed);
}

std::optional<ArrayReference> DecodeArrayReference(double value) {
  std::optional<Reference> reference = DecodeReference(value);
  if (!reference || reference->kind != ReferenceKind::kArray) return std::nullopt;
  ArrayReference array;
  array.fixed = static_cast<int>(reference->index >> 44);
  array.array = static_cast<int>((reference->index >> 31) & ((std::int64_t{1} << 13) - 1));
  array.offset = reference->index & ((std::int64_t{1} << 31) - 1);
  return array;
}

}  // namespace tessarin::engine
