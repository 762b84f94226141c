#pragma once
// The --ids table of tessarin-cli render: per pixel its ray and what the ray
// met first, as comma-separated lines for other programs to check against.

#include <string>

#include "view3d/picture.h"
#include "view3d/scene.h"

namespace tessarin::cli {

inline constexpr const char* kPixelIdsHeader = "x,y,ox,oy,oz,dx,dy,dz,cell,material,distance\n";

// The header and one line per pixel, row by row from the top: the pixel,
// its ray's origin and unit direction (cm), the first cell hit ("C12",
// empty for none), its region ("M3", "V0", "M_source") and the distance
// from the origin to the hit (cm); numbers in their shortest exact form.
std::string PixelIdsTable(const view3d::Picture& picture, const view3d::Scene& scene);

}  // namespace tessarin::cli
