#pragma once
// The numeric edit fields of a parameter set with their ranges. A field
// commits its text on focus loss: a valid value that differs is stored, and
// the field then shows the stored value again, so invalid input reverts.

#include <string>
#include <string_view>

#include "settings/viewparm.h"

namespace tessarin::ui {

enum class NumberField {
  ViewSize,
  Azimuth,
  Elevation,
  Twist,
  Perspective,
  MaximumObjectSizeRatio,
  SourceSizeRatio,
  PortNumber,
  Iterations,
  VerticesTotalMax,
  VerticesTrackMax,
  ThreadCount,
};

std::string NumberFieldText(const settings::VIEWPARM& set, NumberField field);

// True when the stored value changed.
[[nodiscard]] bool CommitNumberField(settings::VIEWPARM& set, NumberField field, std::string_view text);

}  // namespace tessarin::ui
