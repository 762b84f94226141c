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

void StatisticValues::Count(double value) { Widen(value, value, 1); }

void StatisticValues::Count(const StatisticValues& other) {
  if (other.count > 0) Widen(other.minimum, other.maximum, other.count);
}

// A value that is not a number is never the minimum or the maximum, unless
// every value is one.
void StatisticValues::Widen(double low, double high, long long values) {
  if (count == 0 || low < minimum || std::isnan(minimum)) minimum = low;
  if (count == 0 || high > maximum || std::isnan(maximum)) maximum = high;
  count += values;
}

bool IsIntegerRow(int row) { return row <= kCollisionsRow; }

void TrackStatistics::Take(int row, double value) {
  const std::size_t r = static_cast<std::size_t>(row);
  rows[r].Count(value);
  blockSums_[r] += value;
  blockSquares_[r] += value * value;
}

void TrackStatistics::CloseBlock() {
  for (std::size_t r = 0; r < rows.size(); ++r) {
    rows[r].sum += blockSums_[r];
    rows[r].sumOfSquares += blockSquares_[r];
  }
  blockSums_ = {};
  blockSquares_ = {};
}

void TrackStatistics::Add(const SegmentQuantities& q) {
  const int block = q.track >> kBlockShift;
  if (block != block_) {
    if (block_ >= 0) CloseBlock();
    block_ = block;
  }
  ++tracks;
  if (q.history != lastHistory) {
    ++histories;
    lastHistory = q.history;
    if (firstHistory_ < 0) firstHistory_ = q.history;
  }
  if (q.escaped) {
    ++escapeTracks;
  } else if (q.finalEnergy > 0) {
    ++truncatedTracks;
  }
  Take(kHistoryRow, q.history);
  Take(kTrackRow, q.track);
  Take(kInitialCollisionsRow, q.initialCollisions);
  Take(kCollisionsRow, q.collisions);
  Take(kInitialEnergyRow, q.initialEnergy);
  Take(kFinalEnergyRow, q.finalEnergy);
  Take(kInitialEnergyLossRow, q.trackInitialEnergy - q.initialEnergy);
  Take(kEnergyLossRow, q.initialEnergy - q.finalEnergy);
  Take(kInitialRelativeLossRow, RelativeLoss(q.initialEnergy, q.trackInitialEnergy));
  Take(kRelativeLossRow, RelativeLoss(q.finalEnergy, q.initialEnergy));
  Take(kInitialDisplacementRow, q.initialDisplacement);
  Take(kInitialPathRow, q.initialPath);
  if (q.points > 1) {
    ++tracksWithLength;
    Take(kDisplacementRow, q.displacement);
    Take(kPeakDisplacementRow, q.peakDisplacement);
    Take(kPathRow, q.path);
  }
  if (q.collisions > 0) {
    ++tracksWithCollisions;
    Take(kMeanFreePathRow, q.collisionPath / q.collisions);
    Take(kLossPerCollisionRow, (q.initialEnergy - q.finalEnergy) / q.collisions);
  }
}

void TrackStatistics::Append(const TrackStatistics& block) {
  if (block.tracks == 0) return;
  if (block_ >= 0) CloseBlock();
  block_ = block.block_;
  blockSums_ = block.blockSums_;
  blockSquares_ = block.blockSquares_;
  histories += block.histories - (block.firstHistory_ == lastHistory ? 1 : 0);
  if (firstHistory_ < 0) firstHistory_ = block.firstHistory_;
  lastHistory = block.lastHistory;
  tracks += block.tracks;
  tracksWithCollisions += block.tracksWithCollisions;
  tracksWithLength += block.tracksWithLength;
  escapeTracks += block.escapeTracks;
  truncatedTracks += block.truncatedTracks;
  for (std::size_t r = 0; r < rows.size(); ++r) rows[r].Count(block.rows[r]);
}

void TrackStatistics::Finalise(const settings::SegmentFilter* segments) {
  if (block_ >= 0) CloseBlock();
  block_ = -1;
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
