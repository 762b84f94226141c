#pragma once
// The last look at an RT script before it is saved: MGED cannot use a
// coordinate printed as "nan" or "inf", which overflowing arithmetic on a
// far-away surface (or an enormous view) produces. The check names what
// could not be drawn and which of its numbers went wrong.

#include <optional>
#include <string>
#include <string_view>

namespace tessarin::render {

// The message for the first number of `script` that is not finite, in the
// lines that give MGED numbers ("in", "view", "ae", "set perspective",
// "vdraw write", "mater"); nothing when every number is finite.
std::optional<std::string> NonFiniteNumberMessage(std::string_view script);

// The warning for a view size that lies beyond the sizes the MGED units are
// chosen for; nothing when MGED's numbers stay of a comfortable size.
std::optional<std::string> ViewOffScaleWarning(double viewSize);

}  // namespace tessarin::render
