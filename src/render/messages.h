#pragma once
// The texts the RT script command shows, verbatim.

#include <string_view>

namespace tessarin::render::messages {

inline constexpr const char* kOverwriteQuestion = "File \"%s\" already exists. Do you want to overwrite it?";
// The overwrite question when the script's name is a symbolic link: the name
// and what it points to. Yes replaces the link, never the file it names.
inline constexpr const char* kOverwriteLinkQuestion =
    "File \"%s\" is a symbolic link to \"%s\". Do you want to replace the link with the new file? The file it "
    "points to is left as it is.";
// The file and the system's reason (or why a link is not written through).
inline constexpr const char* kCouldNotOpen = "File \"%s\" could not be opened for writing: %s.";
inline constexpr const char* kWorldVolumeZero = "Geometry error: The volume of the \"world\" is zero.";
// A cell whose surfaces leave no room: its id.
inline constexpr const char* kCellContainsNoPoint = "Warning: cell %d contains no point.";
// A script or track file could not be written whole: the file and the
// system's reason. The old file is kept.
inline constexpr const char* kCouldNotWrite = "File \"%s\" could not be written: %s.";

// A number the script would give MGED is not finite: what cannot be drawn,
// which of its numbers, and how it would have been printed.
inline constexpr const char* kNonFiniteNumber =
    "Geometry error: %s cannot be drawn in MGED: its %s would be written as \"%s\". The RT script has not been "
    "written.";
// A combination or region of the script uses an object the script never
// makes: the command ("comb" or "r"), its name and the missing member.
inline constexpr const char* kUndefinedObject =
    "Geometry error: \"%s %s\" of the RT script uses \"%s\", which the script does not make, so MGED would build "
    "something else. The RT script has not been written.";

// The view size in cm, the smallest and largest unit, the unit chosen and
// the view size in it.
inline constexpr const char* kViewOffScale =
    "Warning: The view size of %g cm is off the scale of MGED's units (%s to %s): with 1 MGED centimeter = %s the "
    "view is %g MGED centimeters wide.";
// A track point that is not finite once scaled to MGED's units.
inline constexpr const char* kTrackPointNotFinite =
    "Track %lld cannot be drawn in MGED: its point (%g, %g, %g) cm is not a finite number of MGED units. The track "
    "drawing files have not been written.";

// Which form of the RT script was written, with the model's number of
// cells; for a readable script of many cells also about how long MGED will
// take to load it (a duration such as "4 minutes").
inline constexpr const char* kFastFormWritten =
    "RT script written in the fast form (%zu cells): MGED loads it in seconds.";
inline constexpr const char* kReadableFormWritten = "RT script written in the readable form (%zu cells).";
inline constexpr const char* kReadableFormSlow =
    "RT script written in the readable form (%zu cells): MGED will take about %s to load it. The fast form builds "
    "the same database in seconds.";

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
// A type's points form one data block that a foreach writes into its curve:
// MGED's Tcl takes time for every distinct word of a sourced file, so a
// line of its own per point would make a drawing load in hours.
// A type's drawing is cut into curves of a bounded size, named tracks<k>,
// tracks<k>_2, tracks<k>_3, ...
inline constexpr const char* kVdrawOpen = "vdraw open tracks%d\n";
inline constexpr const char* kVdrawOpenNext = "vdraw open tracks%d_%u\n";
inline constexpr const char* kVdrawColor = "vdraw params color %02x%02x%02x\n";
inline constexpr const char* kVdrawPointsStart = "foreach {pen x y z} {\n";
// A point of the block: the pen, then x, y and z as "%.14g", separated by
// blanks, and a line end. The first point of a track (pen 0) starts a new
// line of the curve.
inline constexpr std::string_view kVdrawFirstPoint = "0";
inline constexpr std::string_view kVdrawNextPoint = "1";
inline constexpr const char* kVdrawPointsEnd = "} {vdraw write next $pen $x $y $z}\n";
inline constexpr const char* kVdrawSend = "vdraw send\n";
// The fast form's drawing of a type: its plot file, overlaid under the
// type's curve name (MGED adds the colour to the name). The character size
// is given because MGED cannot choose one without a display.
inline constexpr const char* kOverlayLine = "overlay -s 1 \"%s\" tracks%d\n";
inline constexpr const char* kSourceLine = "source \"%s\"\n";

}  // namespace tessarin::render::messages
