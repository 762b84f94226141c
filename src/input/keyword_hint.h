#pragma once
// A hint for a skipped directive keyword that looks like a misspelt keyword
// of the geometry ("COMPLEX_GEOMTRY"). Skipping stays as it is: the hint
// only tells the user, since the simulator has many directives of its own.

#include <optional>
#include <string>
#include <string_view>

namespace tessarin::input {

// The geometry keyword within two edits (insertions, deletions, changes of a
// letter; case ignored) of `token`, or nothing. Keywords shorter than five
// letters (MAT, BEAM) and the prefixed ones (S<n>, C<n>, ...) are left out:
// two edits away from them lie many directives of the simulator.
std::optional<std::string> NearGeometryKeyword(std::string_view token);

}  // namespace tessarin::input
