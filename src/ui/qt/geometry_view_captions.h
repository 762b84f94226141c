#pragma once
// The captions and tooltips of the Geometry view.

namespace tessarin::ui::qt::captions {

inline constexpr const char* kGeometryView = "Geometry view";
inline constexpr const char* kViewMenu = "&View";
inline constexpr const char* kGeometryViewMenu = "&Geometry view";
inline constexpr const char* kTipGeometryView =
    "Show slices of the geometry read from the input file, coloured by material, with overlaps and undefined "
    "regions marked";
inline constexpr const char* kPlaneCaption = "Plane:";
inline constexpr const char* kBasisAcrossView = "across the view";
inline constexpr const char* kTipBasis = "The plane of the slice";
inline constexpr const char* kTipDepth = "Moves the plane along its normal, up to half the view size either way";
inline constexpr const char* kResetView = "Reset view";
inline constexpr const char* kTipResetView = "Back to the set's view centre and view size";
inline constexpr const char* kSaveImage = "Save image...";
inline constexpr const char* kSaveImageTitle = "Save image";
inline constexpr const char* kPngFilter = "PNG images (*.png)";
inline constexpr const char* kCannotSaveImage = "The image could not be saved.";
inline constexpr const char* kLegendOverlap = "overlap (two or more cells)";
inline constexpr const char* kLegendGap = "undefined (no cell, enclosed)";
inline constexpr const char* kLegendOutside = "outside the model";
inline constexpr const char* kNoGeometry =
    "No geometry yet: the view shows the input file once it has been read without errors (Make RT script).";
inline constexpr const char* kDrawing = "Drawing...";

}  // namespace tessarin::ui::qt::captions
