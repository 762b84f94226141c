#pragma once
// The texts of the track filtering controls and the Track statistics dialog
// (kept apart from messages.h, which holds the rest of the window's texts).

#include <string_view>

namespace tessarin::ui::messages {

inline constexpr std::string_view kBoundHistoryNumber = "History number";
inline constexpr std::string_view kBoundTrackNumber = "Track number";
inline constexpr std::string_view kBoundCollisions = "Number of collisions in a track";
inline constexpr std::string_view kBoundInitialEnergy = "Initial energy";
inline constexpr std::string_view kBoundFinalEnergy = "Final energy";
inline constexpr std::string_view kBoundEnergyLoss = "Energy loss";
inline constexpr std::string_view kBoundRelativeLoss = "Relative energy loss";
inline constexpr std::string_view kBoundDisplacement = "Displacement";
inline constexpr std::string_view kBoundPeakDisplacement = "Peak displacement";
inline constexpr std::string_view kBoundPathLength = "Path length";
inline constexpr std::string_view kBoundCollisionNumber = "Collision number";
inline constexpr std::string_view kBoundParticleEnergy = "Particle energy";

inline constexpr std::string_view kBoundColumns[] = {"Bounded parameter", "Minimum", "Maximum"};
inline constexpr std::string_view kNoBound = "no bound";
inline constexpr std::string_view kFilteringByTransport = "Filtering by transport parameters";
inline constexpr std::string_view kFilteringByParticleType = "Filtering by particle type";
inline constexpr std::string_view kGenerations = "Secondary particle generations:";
inline constexpr std::string_view kSegmentSelection = "Track segment selection";
inline constexpr std::string_view kSegmentSelectionTip =
    "This grid control allows replacing each track by its segment satisfying the indicated constraints. The point "
    "of the first collision of that segment is treated as the source point (i.e., it is not included in the total "
    "number of collisions).";
inline constexpr std::string_view kFilterFirst = "Filter tracks before selecting the track segment";
inline constexpr std::string_view kSegmentFirst = "Select the track segment before filtering tracks";
inline constexpr std::string_view kKeepTrackData = "Keep track data in memory";
inline constexpr std::string_view kUnitOfEnergy = "Unit of energy:";
inline constexpr std::string_view kUnitOfDistance = "Unit of distance:";
inline constexpr std::string_view kRefreshStatistics = "Refresh statistics";
inline constexpr std::string_view kDefaultFilteringWithoutSegments = "Defaut filtering without segment selection";
inline constexpr std::string_view kOutOfDateMark = "*";
inline constexpr std::string_view kStdDevTip =
    "The standard deviation of the average: the spread of the values (their sample standard deviation) divided by "
    "the square root of their number. \"tessarin-cli tracks stats --json\" gives both, as \"stddev\" and "
    "\"sampleStddev\".";

}  // namespace tessarin::ui::messages

namespace tessarin::ui::messages {

inline constexpr std::string_view kTrackColorsCaption = "Track types and colors";
inline constexpr std::string_view kTrackColorsColumns[] = {"No.",        "Particle type", "Include", "Color",
                                                           "Color name", "R",             "G",       "B"};

}  // namespace tessarin::ui::messages
