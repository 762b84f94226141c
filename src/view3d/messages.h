#pragma once
// The texts of the 3D pictures; "%s" places are filled with FormatText.

namespace tessarin::view3d::messages {

// Tracks are shown but the simulator has not written the set's track data
// file yet: the picture is drawn without them. "%s" is the file's path.
inline constexpr const char* kNoTrackDataYet =
    "Note: no track data yet: start Varnholt first. The track data file \"%s\" does not exist, so no particle "
    "tracks are drawn.";

}  // namespace tessarin::view3d::messages
