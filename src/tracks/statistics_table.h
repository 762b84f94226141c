#pragma once
// The statistics as the Track statistics dialog shows them: captions with
// the chosen units, values converted to those units, and the cells left
// blank. Shared by the dialog and the command line.

#include <array>
#include <optional>
#include <string>

#include "tracks/track_statistics.h"

namespace tessarin::tracks {

struct StatisticsTableRow {
  std::string caption;           // e.g. "Initial energy (keV)"
  long long count = 0;           // values taken in; 0 for a blank row
  bool integer = false;          // minimum and maximum shown with %d
  std::optional<double> minimum, maximum, average, deviation;  // none: blank
  // The deviation is that of the average (the "Std. dev." column); this is
  // the spread of the values themselves, the sample standard deviation.
  std::optional<double> sampleDeviation;
};

using StatisticsTable = std::array<StatisticsTableRow, messages::kStatisticRowCount>;

// `segments` is the segment block of the reading (row 18 needs its path window).
StatisticsTable MakeStatisticsTable(const TrackStatistics& statistics, int unitEnergy, int unitDistance,
                                    const settings::SegmentFilter* segments);

// A cell as the dialog writes it: "%d" for integers, else "%.4g"; "" when blank.
std::string FormatStatisticCell(const std::optional<double>& value, bool integer);

// "Initial energy (keV)": the caption with its unit.
std::string StatisticCaptionWithUnit(int row, int unitEnergy, int unitDistance);

}  // namespace tessarin::tracks
