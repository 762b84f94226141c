#pragma once
// The twelve track types: a type is the bit number in `originTypeMask` and
// the index of `trackColorRGB`.

namespace tessarin::settings {

inline constexpr int kTrackTypeCount = 12;

// 1, 2, 4 ... 2048 for types 0 to 11.
constexpr int TrackTypeMask(int trackType) { return 1 << trackType; }

// Types 0 to 8: every kind except the Auger and knock-on electrons.
inline constexpr int kDefaultOriginTypeMask = 511;

}  // namespace tessarin::settings
