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
  if (!std::isfinite(value) || value < static_cast<double>(kKindUnit) || value >= 4.0 * static_cast<double>(kKindUnit) ||
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

}  // namespace tessarin::engine
