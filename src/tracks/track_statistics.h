#pragma once
// The statistics of the selected tracks: counts, and the minimum, maximum,
// average and standard deviation of the average of eighteen quantities.
// Values are kept in eV, cm and fractions; the table converts them.

#include <array>
#include <optional>

#include "settings/viewparm.h"
#include "tracks/messages.h"

namespace tessarin::tracks {

// What the filter measured on one selected track or segment.
struct SegmentQuantities {
  int history = 0;
  int track = 0;
  int initialCollisions = 0;   // collisions before the segment
  int collisions = 0;          // collisions in the segment
  int points = 0;              // points of the segment, interpolated ones included
  double initialEnergy = 0;    // at the segment's start
  double finalEnergy = 0;
  double trackInitialEnergy = 0;  // at the track's first vertex
  double initialDisplacement = 0;
  double displacement = 0;
  double peakDisplacement = 0;
  double initialPath = 0;
  double path = 0;
  double collisionPath = 0;    // the path the segment's collisions share
  bool escaped = false;        // the segment reaches the escape point
};

enum StatisticRow {
  kHistoryRow, kTrackRow, kInitialCollisionsRow, kCollisionsRow, kInitialEnergyRow, kFinalEnergyRow,
  kInitialEnergyLossRow, kEnergyLossRow, kInitialRelativeLossRow, kRelativeLossRow, kInitialDisplacementRow,
  kDisplacementRow, kPeakDisplacementRow, kInitialPathRow, kPathRow, kMeanFreePathRow, kLossPerCollisionRow,
  kStoppingPowerRow
};

struct StatisticValues {
  long long count = 0;
  double minimum = 0;    // of the values that are numbers
  double maximum = 0;
  double sum = 0;
  double sumOfSquares = 0;
  double average = 0;
  double deviation = 0;  // standard deviation of the average

  // Counts the value into count, minimum and maximum (not the sums).
  void Count(double value);
  // The same for the values another row counted.
  void Count(const StatisticValues& other);

 private:
  void Widen(double low, double high, long long values);
};

class TrackStatistics {
 public:
  int histories = 0;
  int lastHistory = -1;
  int tracks = 0;
  int tracksWithCollisions = 0;
  int tracksWithLength = 0;
  int escapeTracks = 0;
  int truncatedTracks = 0;
  std::array<StatisticValues, messages::kStatisticRowCount> rows{};

  // Sums are gathered per block of 2^kBlockShift consecutive track numbers
  // and added up block by block: blocks gathered on separate threads then
  // add up to the bit as one reading in track order does.
  static constexpr int kBlockShift = 12;

  void Clear() { *this = TrackStatistics{}; }
  // Tracks come in increasing track numbers.
  void Add(const SegmentQuantities& quantities);
  // Takes in what `block` gathered from a clear start: tracks of one block,
  // all after the tracks added here so far.
  void Append(const TrackStatistics& block);
  // Averages and deviations; with a segment block whose path window has a
  // width, also the stopping power.
  void Finalise(const settings::SegmentFilter* segments);

 private:
  void Take(int row, double value);
  // Adds the open block's sums to the rows.
  void CloseBlock();

  int block_ = -1;         // the open block
  int firstHistory_ = -1;  // of the first track added
  std::array<double, messages::kStatisticRowCount> blockSums_{};
  std::array<double, messages::kStatisticRowCount> blockSquares_{};
};

// Whether the row holds integers (its deviation is 0 when all values agree).
[[nodiscard]] bool IsIntegerRow(int row);

}  // namespace tessarin::tracks
