#pragma once
// The statistics as the Track statistics dialog shows them: captions with
// the chosen units, values converted to those units, and the cells left
// blank. Shared by the dialog and the command line.

#include <array>
#include <optional>
#include <string>
#include <string_view>

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

// The columns of values after the caption, as the dialog, the text table and
// the JSON form show them: the heading's place in kStatisticColumns, the key
// in JSON, and whether a row of whole numbers shows the column as one.
struct StatisticColumn {
  std::size_t heading;
  std::string_view jsonKey;
  std::optional<double> StatisticsTableRow::*value;
  bool wholeInIntegerRows;
};
inline constexpr std::array<StatisticColumn, 4> kStatisticValueColumns{{
    {1, "min", &StatisticsTableRow::minimum, true},
    {2, "max", &StatisticsTableRow::maximum, true},
    {3, "mean", &StatisticsTableRow::average, false},
    {4, "stddev", &StatisticsTableRow::deviation, false},
}};

// The row's cell of `column`, formatted as the dialog writes it.
std::string StatisticCell(const StatisticsTableRow& row, const StatisticColumn& column);

// "Initial energy (keV)": the caption with its unit.
std::string StatisticCaptionWithUnit(int row, int unitEnergy, int unitDistance);

}  // namespace tessarin::tracks
