#include "tracks/statistics_table.h"

#include <cmath>

#include "platform/format_text.h"
#include "settings/units.h"

namespace tessarin::tracks {
namespace {

// Row 18 is meaningful only when every segment spans the whole path window.
constexpr double kFullWindowTolerance = 1e-4;

const settings::StatisticsUnit& EnergyUnit(int unit) {
  return settings::kEnergyUnits[static_cast<std::size_t>(unit >= 0 && unit < 3 ? unit : 0)];
}
const settings::StatisticsUnit& DistanceUnit(int unit) {
  return settings::kDistanceUnits[static_cast<std::size_t>(unit >= 0 && unit < 4 ? unit : 2)];
}

double RowFactor(int row, int unitEnergy, int unitDistance) {
  switch (messages::kStatisticCaptions[static_cast<std::size_t>(row)].unit) {
    case messages::StatisticUnit::Energy: return EnergyUnit(unitEnergy).factor;
    case messages::StatisticUnit::Distance: return DistanceUnit(unitDistance).factor;
    case messages::StatisticUnit::Percent: return 100;
    case messages::StatisticUnit::StoppingPower:
      return EnergyUnit(unitEnergy).factor / DistanceUnit(unitDistance).factor;
    case messages::StatisticUnit::None: break;
  }
  return 1;
}

bool StoppingPowerShown(const TrackStatistics& statistics, const settings::SegmentFilter* segments) {
  if (segments == nullptr || !(segments->segmentPathMax > segments->segmentPathMin)) return false;
  const StatisticValues& path = statistics.rows[kPathRow];
  if (path.count == 0) return false;
  const double ratio = path.minimum / (segments->segmentPathMax - segments->segmentPathMin);
  return std::fabs(ratio - 1) < kFullWindowTolerance;
}

}  // namespace

std::string StatisticCaptionWithUnit(int row, int unitEnergy, int unitDistance) {
  const messages::StatisticCaption& caption = messages::kStatisticCaptions[static_cast<std::size_t>(row)];
  std::string text(caption.text);
  switch (caption.unit) {
    case messages::StatisticUnit::None: return text;
    case messages::StatisticUnit::Energy: return text + " (" + std::string(EnergyUnit(unitEnergy).name) + ")";
    case messages::StatisticUnit::Distance: return text + " (" + std::string(DistanceUnit(unitDistance).name) + ")";
    case messages::StatisticUnit::Percent: return text + " (%)";
    case messages::StatisticUnit::StoppingPower:
      return text + " (" + std::string(EnergyUnit(unitEnergy).name) + "/" +
             std::string(DistanceUnit(unitDistance).name) + ")";
  }
  return text;
}

StatisticsTable MakeStatisticsTable(const TrackStatistics& statistics, int unitEnergy, int unitDistance,
                                    const settings::SegmentFilter* segments) {
  StatisticsTable table;
  for (int row = 0; row < messages::kStatisticRowCount; ++row) {
    StatisticsTableRow& shown = table[static_cast<std::size_t>(row)];
    shown.caption = StatisticCaptionWithUnit(row, unitEnergy, unitDistance);
    shown.integer = IsIntegerRow(row);
    const StatisticValues& values = statistics.rows[static_cast<std::size_t>(row)];
    if (statistics.tracks == 0 || values.count == 0) continue;
    if (row == kStoppingPowerRow && !StoppingPowerShown(statistics, segments)) continue;
    shown.count = values.count;
    if (row == kHistoryRow || row == kTrackRow) {
      // Sequence numbers count from 1.
      shown.minimum = values.minimum + 1;
      shown.maximum = values.maximum + 1;
      continue;
    }
    const double factor = RowFactor(row, unitEnergy, unitDistance);
    shown.minimum = values.minimum * factor;
    shown.maximum = values.maximum * factor;
    shown.average = values.average * factor;
    shown.deviation = values.deviation * factor;
    shown.sampleDeviation = *shown.deviation * std::sqrt(static_cast<double>(values.count));
  }
  return table;
}

std::string FormatStatisticCell(const std::optional<double>& value, bool integer) {
  // A sum that overflowed (vertices near the largest double) has no value
  // to show, as in the JSON form.
  if (!value || !std::isfinite(*value)) return {};
  if (integer) return platform::FormatText("%lld", static_cast<long long>(*value));
  return platform::FormatText("%.4g", *value);
}

std::string StatisticCell(const StatisticsTableRow& row, const StatisticColumn& column) {
  return FormatStatisticCell(row.*column.value, column.wholeInIntegerRows && row.integer);
}

}  // namespace tessarin::tracks
