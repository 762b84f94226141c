#pragma once
// The three-cell vector tables: view centre, cut-away point and normal.

#include <string>
#include <string_view>

#include "settings/viewparm.h"

namespace tessarin::ui {

enum class VectorField { ViewCenter, CutawayPlanePoint, CutawayPlaneNormal };

std::string VectorCellText(const settings::VIEWPARM& set, VectorField field, int component);

// Each component is a real within +-1e300; the normal may not become
// (0, 0, 0). True when the stored value changed.
[[nodiscard]] bool CommitVectorCell(settings::VIEWPARM& set, VectorField field, int component, std::string_view text);

}  // namespace tessarin::ui
