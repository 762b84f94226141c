#include "tracks/track_statistics.h"

#include <cmath>

namespace tessarin::tracks {
namespace {

// Real quantities whose values agree to this many digits show no spread;
// the sums would otherwise leave rounding noise.
constexpr double kEqualValuesRatio = 2e-15;

double RelativeLoss(double finalEnergy, double initialEnergy) {
  return initialEnergy == 0 ? 0 : 1 - finalEnergy / initialEnergy;
}

void FinaliseRow(StatisticValues& values, bool integerRow) {
  if (values.count == 0) return;
  const double n = static_cast<double>(values.count);
  values.average = values.sum / n;
  values.deviation = 0;
  if (values.count < 2) return;
  const double numerator = values.sumOfSquares - values.sum * values.average;
  if (numerator < 0) return;
  if (integerRow && !(values.minimum < values.maximum)) return;
  if (!integerRow && values.maximum / values.minimum - 1 < kEqualValuesRatio) return;
  values.deviation = std::sqrt(numerator / ((n - 1) * n));
}

}  // namespace

void StatisticValues::Add(double value) {
  if (count == 0 || value < minimum) minimum = value;
  if (count == 0 || value > maximum) maximum = value;
  ++count;
  sum += value;
  sumOfSquares += value * value;
}

bool IsIntegerRow(int row) { return row <= kCollisionsRow; }

void TrackStatistics::Add(const SegmentQuantities& q) {
  ++tracks;
  if (q.history != lastHistory) {
    ++histories;
    lastHistory = q.history;
  }
  if (q.escaped) {
    ++escapeTracks;
  } else if (q.finalEnergy > 0) {
    ++truncatedTracks;
  }
  rows[kHistoryRow].Add(q.history);
  rows[kTrackRow].Add(q.track);
  rows[kInitialCollisionsRow].Add(q.initialCollisions);
  rows[kCollisionsRow].Add(q.collisions);
  rows[kInitialEnergyRow].Add(q.initialEnergy);
  rows[kFinalEnergyRow].Add(q.finalEnergy);
  rows[kInitialEnergyLossRow].Add(q.trackInitialEnergy - q.initialEnergy);
  rows[kEnergyLossRow].Add(q.initialEnergy - q.finalEnergy);
  rows[kInitialRelativeLossRow].Add(RelativeLoss(q.initialEnergy, q.trackInitialEnergy));
  rows[kRelativeLossRow].Add(RelativeLoss(q.finalEnergy, q.initialEnergy));
  rows[kInitialDisplacementRow].Add(q.initialDisplacement);
  rows[kInitialPathRow].Add(q.initialPath);
  if (q.points > 1) {
    ++tracksWithLength;
    rows[kDisplacementRow].Add(q.displacement);
    rows[kPeakDisplacementRow].Add(q.peakDisplacement);
    rows[kPathRow].Add(q.path);
  }
  if (q.collisions > 0) {
    ++tracksWithCollisions;
    rows[kMeanFreePathRow].Add(q.collisionPath / q.collisions);
    rows[kLossPerCollisionRow].Add((q.initialEnergy - q.finalEnergy) / q.collisions);
  }
}

void TrackStatistics::Finalise(const settings::SegmentFilter* segments) {
  for (int row = 0; row < kStoppingPowerRow; ++row) FinaliseRow(rows[static_cast<std::size_t>(row)], IsIntegerRow(row));
  StatisticValues& stopping = rows[kStoppingPowerRow];
  stopping = StatisticValues{};
  if (segments == nullptr || !(segments->segmentPathMax > segments->segmentPathMin)) return;
  const double width = segments->segmentPathMax - segments->segmentPathMin;
  const StatisticValues& loss = rows[kEnergyLossRow];
  stopping.count = loss.count;
  stopping.minimum = loss.minimum / width;
  stopping.maximum = loss.maximum / width;
  stopping.average = loss.average / width;
  stopping.deviation = loss.deviation / width;
}

}  // namespace tessarin::tracks
