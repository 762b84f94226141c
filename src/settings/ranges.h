#pragma once
// The ranges that every reader and editor of a parameter set enforces.
// Counts of the track filter are given as they appear in the parameter file
// (history and track numbers 1-based, 0 = no upper limit).

#include <climits>

namespace tessarin::settings {

struct IntRange {
  int min, max;
  [[nodiscard]] constexpr bool Contains(long long value) const { return value >= min && value <= max; }
};

struct RealRange {
  double min, max;
  [[nodiscard]] constexpr bool Contains(double value) const { return value >= min && value <= max; }
};

inline constexpr IntRange kParameterSetCountRange{1, 10000};
inline constexpr IntRange kFlagRange{0, 1};
inline constexpr IntRange kTriStateRange{0, 2};  // 0 no, 1 yes, 2 the simulator's default
inline constexpr IntRange kCmdFolderOptionRange{0, 3};
inline constexpr IntRange kThreadCountRange{-1, 2048};
inline constexpr IntRange kPortRange{1, 10000};
inline constexpr IntRange kIterationRange{0, 50};
inline constexpr IntRange kEnergyUnitRange{0, 2};
inline constexpr IntRange kDistanceUnitRange{0, 3};
inline constexpr IntRange kRowCountRange{1, 100000};
inline constexpr IntRange kColorComponentRange{0, 255};

// Vertex limits: -1 (no limit) or at least the minimum; smaller positive
// values read from a file mean no limit.
inline constexpr IntRange kVertexLimitInFileRange{-1, INT_MAX};
inline constexpr int kMinTotalVertexLimit = 10000;
inline constexpr int kMinTrackVertexLimit = 4;

inline constexpr IntRange kOneBasedStartRange{1, INT_MAX};
inline constexpr IntRange kOneBasedEndRange{0, INT_MAX};
inline constexpr IntRange kVertexCountMinRange{1, INT_MAX};
inline constexpr IntRange kVertexCountMaxRange{0, INT_MAX};
inline constexpr IntRange kGenerationMinRange{1, INT_MAX};
inline constexpr IntRange kGenerationMaxRange{-1, INT_MAX};
inline constexpr IntRange kOriginTypeMaskRange{1, INT_MAX};
inline constexpr IntRange kCollisionMinRange{0, INT_MAX};
inline constexpr IntRange kCollisionMaxRange{-1, INT_MAX};

inline constexpr RealRange kObjectSizeRatioRange{3.5, 1000};
inline constexpr RealRange kSourceSizeRatioRange{0, 0.1};
inline constexpr RealRange kViewSizeRange{5e-12, 1e300};
inline constexpr RealRange kCoordinateRange{-1e300, 1e300};
inline constexpr RealRange kFullAngleRange{-360, 360};  // azimuth, twist
inline constexpr RealRange kElevationRange{-90, 90};
inline constexpr RealRange kPerspectiveRange{0, 90};
inline constexpr RealRange kFractionRange{0, 1};  // relative losses, transparency, reflectivity
inline constexpr RealRange kFilterMinRange{0, 1e300};
inline constexpr RealRange kFilterMaxRange{-1, 1e300};  // -1 = no upper limit
inline constexpr RealRange kAnyFiniteRange{-1.7976931348623157e308, 1.7976931348623157e308};

}  // namespace tessarin::settings
