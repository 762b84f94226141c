#pragma once
// The texts the RT script command shows, verbatim.

#include <string_view>

namespace tessarin::render::messages {

inline constexpr const char* kOverwriteQuestion = "File \"%s\" already exists. Do you want to overwrite it?";
inline constexpr const char* kCouldNotOpen = "File \"%s\" could not be opened for writing.";
inline constexpr const char* kWorldVolumeZero = "Geometry error: The volume of the \"world\" is zero.";
// A script or track file could not be written whole: the file and the
// system's reason. The old file is kept.
inline constexpr const char* kCouldNotWrite = "File \"%s\" could not be written: %s.";

// A number the script would give MGED is not finite: what cannot be drawn,
// which of its numbers, and how it would have been printed.
inline constexpr const char* kNonFiniteNumber =
    "Geometry error: %s cannot be drawn in MGED: its %s would be written as \"%s\". The RT script has not been "
    "written.";
// The view size in cm, the smallest and largest unit, the unit chosen and
// the view size in it.
inline constexpr const char* kViewOffScale =
    "Warning: The view size of %g cm is off the scale of MGED's units (%s to %s): with 1 MGED centimeter = %s the "
    "view is %g MGED centimeters wide.";
// A track point that is not finite once scaled to MGED's units.
inline constexpr const char* kTrackPointNotFinite =
    "Track %lld cannot be drawn in MGED: its point (%g, %g, %g) cm is not a finite number of MGED units. The track "
    "drawing files have not been written.";

// Tracks are shown but the simulator has not written the set's track data
// file yet (the first step of every new model): the script is made without
// tracks. "%s" is the track data file's full path.
inline constexpr const char* kNoTrackDataYet =
    "Note: no track data yet: start Varnholt first. The track data file \"%s\" does not exist, so the RT script "
    "draws no particle tracks.";

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
