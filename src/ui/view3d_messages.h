#pragma once
// The texts of the 3D view's status line.

namespace tessarin::ui::messages {

inline constexpr const char* kView3dCellHit = "cell C%d   %sregion %s   hit at (%.4g, %.4g, %.4g) cm";
inline constexpr const char* kView3dMaterial = "material %d   ";
inline constexpr const char* kView3dNamedMaterial = "material %d \"%s\"   ";
inline constexpr const char* kView3dRegionHit = "region %s   hit at (%.4g, %.4g, %.4g) cm";
inline constexpr const char* kView3dNothingHit = "background: the ray meets no region shown";

}  // namespace tessarin::ui::messages
