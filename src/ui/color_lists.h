#pragma once
// The colour lists of the main window: beam axis (15 names, "Custom",
// "None"), background (15 names, "Custom") and the Color name column of the
// Materials table (White ... Grey, "Custom"; no Black for materials).

#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"
#include "settings/color_entry.h"
#include "settings/viewparm.h"

namespace tessarin::ui {

enum class ColorList { BeamAxis, Background, Material };

inline constexpr std::string_view kCustomColorEntry = "Custom";
inline constexpr std::string_view kNoColorEntry = "None";

std::vector<std::string> ColorListEntries(ColorList list);

// The entry that shows `color`; a beam-axis colour equal to the button face
// is "None".
int ColorListIndex(const settings::ColorEntry& color, ColorList list, platform::Rgb buttonFace);

// The colour an entry selects: a named colour, the colour chosen in the
// colour dialog for "Custom" (nothing when cancelled), or the button face for
// "None". The name index is derived from the RGB.
std::optional<settings::ColorEntry> ColorOfListEntry(int index, ColorList list, const settings::ColorEntry& current,
                                                     platform::Host& host);

// The beam-axis or background colour of a set.
settings::ColorEntry& ListColor(settings::VIEWPARM& set, ColorList list);
const settings::ColorEntry& ListColor(const settings::VIEWPARM& set, ColorList list);

platform::Rgb ToRgb(const settings::ColorEntry& color);

}  // namespace tessarin::ui
