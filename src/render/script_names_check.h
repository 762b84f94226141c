#pragma once
// A second last look at an RT script before it is saved: every object a
// combination or region is made of must have been made before it. MGED
// takes a missing member for nothing at all ("db_lookup failed"), so a cell
// without one of its bounds silently becomes much more than it is.

#include <optional>
#include <string>
#include <string_view>

namespace tessarin::render {

// The message for the first member of a "comb" or "r" line of `script`
// that no earlier "in", "comb" or "r" line makes; nothing when there is none.
std::optional<std::string> UndefinedObjectMessage(std::string_view script);

}  // namespace tessarin::render
