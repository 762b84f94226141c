#pragma once
// The texts the RT script command shows, verbatim.

#include <string_view>

namespace tessarin::render::messages {

inline constexpr const char* kOverwriteQuestion = "File \"%s\" already exists. Do you want to overwrite it?";
inline constexpr const char* kCouldNotOpen = "File \"%s\" could not be opened for writing.";
inline constexpr const char* kWorldVolumeZero = "Geometry error: The volume of the \"world\" is zero.";

// Track drawing: the older-layout warning names the track data file; the
// allowance message takes nVerticesTotalMax, the tracks drawn and the tracks
// selected; the thinning message takes nVerticesTrackMax.
inline constexpr const char* kOlderTrackLayout =
    "Warning: File \"%s\" was created with an older version of Tessarin and has no escape point coordinates. "
    "Consequently, the escape tracks will be extended beyond the clipping cube.";
inline constexpr const char* kTotalVerticesExceeded =
    "The maximum allowed total number of vertices (%d) has been exceeded. %d out of %d tracks will be shown.\n";
inline constexpr const char* kTracksThinned =
    "Some tracks have more than %d vertices. Some vertices in those tracks will not be shown.";

// The track drawing lines and the RT script's line that loads each file.
inline constexpr const char* kVdrawOpen = "vdraw open tracks%d\n";
inline constexpr const char* kVdrawColor = "vdraw params color %02x%02x%02x\n";
// A point: the prefix, then x, y and z as "%.14g", separated by blanks, and
// a line end. The first point of a track starts a new line of the curve.
inline constexpr std::string_view kVdrawFirstPoint = "vdraw write next 0";
inline constexpr std::string_view kVdrawNextPoint = "vdraw write next 1";
inline constexpr const char* kVdrawSend = "vdraw send\n";
inline constexpr const char* kSourceLine = "source \"%s\"\n";

}  // namespace tessarin::render::messages
