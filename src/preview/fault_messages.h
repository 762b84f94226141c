#pragma once
// The texts that tell what the overlap search found, shared by the command
// line and the windows.

namespace tessarin::preview::messages {

inline constexpr const char* kOverlapLine = "overlap: %s at %s, %s within %s to %s";
inline constexpr const char* kUndefinedLine = "undefined: no cell at %s, %s within %s to %s, around %s";
inline constexpr const char* kSameUnion = " (both in UNION%d)";
inline constexpr const char* kVolume = "%.3g cm3";
inline constexpr const char* kNothingFound = "no overlaps or undefined regions found in %s cells (%s rays, %.1f s)";
inline constexpr const char* kFound = "%s and %s found in %s cells (%s rays, %.1f s)";
inline constexpr const char* kOneOverlap = "overlap";
inline constexpr const char* kOverlaps = "overlaps";
inline constexpr const char* kOneUndefined = "undefined region";
inline constexpr const char* kUndefined = "undefined regions";
inline constexpr const char* kSearchFailed = "the search failed: %s";
inline constexpr const char* kStopped = "search stopped after %s rays";

}  // namespace tessarin::preview::messages
