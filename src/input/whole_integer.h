#pragma once
// Tokens that must be an integer and nothing else: material, cell and source
// cell identifiers, FORCE values, source types.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tessarin::input {

// The whole token as a base-10 integer with an optional sign; nothing when
// any other character appears or the value does not fit in 32 bits.
std::optional<std::int32_t> ParseWholeInteger(std::string_view token);

}  // namespace tessarin::input
