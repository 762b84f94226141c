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
// The chosen name is a symbolic link: the name and what it points to.
inline constexpr const char* kReplaceLinkQuestion =
    "\"%1\" is a symbolic link to \"%2\". Do you want to replace the link with the image? The file it points to "
    "is left as it is.";
inline constexpr const char* kLegendOverlap = "overlap (two or more cells)";
inline constexpr const char* kLegendGap = "undefined (no cell, enclosed)";
inline constexpr const char* kLegendOutside = "outside the model";
inline constexpr const char* kNoGeometry =
    "No geometry yet: the view shows the input file once it has been read without errors (Make RT script).";
inline constexpr const char* kDrawing = "Drawing...";
inline constexpr const char* kSliceFailed = "The slice could not be drawn: %1";
inline constexpr const char* kFindFaults = "Find faults";
inline constexpr const char* kStopSearch = "Stop";
inline constexpr const char* kTipFindFaults =
    "Search the model within the view cube for overlaps and undefined regions with rays along all three axes; "
    "press again to stop";
inline constexpr const char* kTipFaultList = "Click a fault to move the slice to it and mark it";
inline constexpr const char* kSearching = "Searching...";
// The plane's place: "z = 1.25 cm", or along the view direction.
inline constexpr const char* kPlaneAt = "%1 = %2 cm";
inline constexpr const char* kPlaneAlongView = "%1 cm along the view";

}  // namespace tessarin::ui::qt::captions
