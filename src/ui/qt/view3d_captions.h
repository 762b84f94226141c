#pragma once
// The captions and tooltips of the 3D view.

namespace tessarin::ui::qt::captions {

inline constexpr const char* kView3d = "3D view";
inline constexpr const char* kView3dMenu = "&3D view";
inline constexpr const char* kTipView3d =
    "Show the geometry raytraced as the RT script's view shows it, with the selected tracks, without MGED";
inline constexpr const char* kTranslucentCells = "Translucent cells";
inline constexpr const char* kTipTranslucentCells = "Regions as transparent as the Materials table says; off: opaque";
inline constexpr const char* kTracksThroughCells = "Tracks through cells";
inline constexpr const char* kTipTracksThroughCells = "Draw the tracks over the cells instead of hiding them behind";
inline constexpr const char* kView3dReset = "Reset view";
inline constexpr const char* kTipView3dReset = "Back to the set's view";
inline constexpr const char* kApplyToSet = "Apply to the set";
inline constexpr const char* kTipApplyToSet =
    "Write this azimuth, elevation, view size and view centre into the parameter set, so that the RT script "
    "shows the same view";
inline constexpr const char* kTipView3dCanvas =
    "Drag to turn, Shift+drag to move, wheel to zoom; click a cell to show it in the Geometry view";
inline constexpr const char* kNoGeometry3d =
    "No geometry yet: the view shows the input file once it has been read without errors (Make RT script).";
inline constexpr const char* kView3dFailed = "The picture could not be made: %1";

}  // namespace tessarin::ui::qt::captions
