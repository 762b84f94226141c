#include "ui/track_bound_tables.h"

#include <array>
#include <limits>
#include <optional>

#include "settings/units.h"
#include "ui/field_numbers.h"
#include "ui/track_messages.h"

namespace tessarin::ui {
namespace {

// How a row shows and stores its two values.
enum class BoundKind {
  Sequence,          // history and track numbers: shown from 1, stored from 0, max -1 none
  VertexCount,       // collisions shown, vertices stored, max <= 0 none
  SegmentCollision,  // vertex index as it is, max -1 none
  Energy,            // eV stored, max < 0 none
  Distance,          // cm stored, max < 0 none
  Percent,           // fraction stored, max 1 when blank
};

template <class Block>
struct BoundRow {
  std::string_view caption;
  BoundKind kind;
  int Block::*intMinimum = nullptr;
  int Block::*intMaximum = nullptr;
  double Block::*realMinimum = nullptr;
  double Block::*realMaximum = nullptr;
};

using settings::SegmentFilter;
using settings::TrackFilter;
using K = BoundKind;

constexpr double kLargestBound = 1e300;

const std::array<BoundRow<TrackFilter>, kTransportBoundRows> kTransportRows{{
    {messages::kBoundHistoryNumber, K::Sequence, &TrackFilter::historyNumStart, &TrackFilter::historyNumEnd},
    {messages::kBoundTrackNumber, K::Sequence, &TrackFilter::trackNumStart, &TrackFilter::trackNumEnd},
    {messages::kBoundCollisions, K::VertexCount, &TrackFilter::nVerticesMin, &TrackFilter::nVerticesMax},
    {messages::kBoundInitialEnergy, K::Energy, nullptr, nullptr, &TrackFilter::trackEstartMin,
     &TrackFilter::trackEstartMax},
    {messages::kBoundFinalEnergy, K::Energy, nullptr, nullptr, &TrackFilter::trackEfinalMin,
     &TrackFilter::trackEfinalMax},
    {messages::kBoundEnergyLoss, K::Energy, nullptr, nullptr, &TrackFilter::trackElossMin,
     &TrackFilter::trackElossMax},
    {messages::kBoundRelativeLoss, K::Percent, nullptr, nullptr, &TrackFilter::trackRelElossMin,
     &TrackFilter::trackRelElossMax},
    {messages::kBoundDisplacement, K::Distance, nullptr, nullptr, &TrackFilter::trackDisplacementMin,
     &TrackFilter::trackDisplacementMax},
    {messages::kBoundPeakDisplacement, K::Distance, nullptr, nullptr, &TrackFilter::trackPeakDisplacementMin,
     &TrackFilter::trackPeakDisplacementMax},
    {messages::kBoundPathLength, K::Distance, nullptr, nullptr, &TrackFilter::trackPathMin,
     &TrackFilter::trackPathMax},
}};

const std::array<BoundRow<SegmentFilter>, kSegmentBoundRows> kSegmentRows{{
    {messages::kBoundCollisionNumber, K::SegmentCollision, &SegmentFilter::segmentCollMin,
     &SegmentFilter::segmentCollMax},
    {messages::kBoundParticleEnergy, K::Energy, nullptr, nullptr, &SegmentFilter::segmentEmin,
     &SegmentFilter::segmentEmax},
    {messages::kBoundEnergyLoss, K::Energy, nullptr, nullptr, &SegmentFilter::segmentElossMin,
     &SegmentFilter::segmentElossMax},
    {messages::kBoundRelativeLoss, K::Percent, nullptr, nullptr, &SegmentFilter::segmentRelElossMin,
     &SegmentFilter::segmentRelElossMax},
    {messages::kBoundPathLength, K::Distance, nullptr, nullptr, &SegmentFilter::segmentPathMin,
     &SegmentFilter::segmentPathMax},
}};

const settings::StatisticsUnit& EnergyUnit(DisplayUnits units) {
  return settings::kEnergyUnits[static_cast<std::size_t>(units.energy >= 0 && units.energy < 3 ? units.energy : 0)];
}
const settings::StatisticsUnit& DistanceUnit(DisplayUnits units) {
  return settings::kDistanceUnits[static_cast<std::size_t>(units.distance >= 0 && units.distance < 4 ? units.distance
                                                                                                      : 2)];
}

double Factor(BoundKind kind, DisplayUnits units) {
  if (kind == K::Energy) return EnergyUnit(units).factor;
  if (kind == K::Distance) return DistanceUnit(units).factor;
  if (kind == K::Percent) return 100;
  return 1;
}

std::string Caption(std::string_view caption, BoundKind kind, DisplayUnits units) {
  std::string text(caption);
  if (kind == K::Energy) return text + " (" + std::string(EnergyUnit(units).name) + ")";
  if (kind == K::Distance) return text + " (" + std::string(DistanceUnit(units).name) + ")";
  if (kind == K::Percent) return text + " (%)";
  return text;
}

// A whole number that fits an int, blanks around it allowed.
std::optional<int> ParseWholeInt(std::string_view text) {
  std::optional<long long> value = ParseInteger(text);
  if (!value || *value < std::numeric_limits<int>::min() || *value >= std::numeric_limits<int>::max())
    return std::nullopt;
  return static_cast<int>(*value);
}

template <class Block>
std::string Text(const Block& block, const BoundRow<Block>& row, BoundColumn column, DisplayUnits units) {
  const bool maximum = column == BoundColumn::Maximum;
  if (row.intMinimum != nullptr) {
    const int value = block.*(maximum ? row.intMaximum : row.intMinimum);
    if (row.kind == K::Sequence) return maximum && value < 0 ? "" : std::to_string(value + 1);
    if (row.kind == K::VertexCount) return maximum && value <= 0 ? "" : std::to_string(value - 1);
    return maximum && value < 0 ? "" : std::to_string(value);
  }
  const double value = block.*(maximum ? row.realMaximum : row.realMinimum);
  if (maximum && row.kind != K::Percent && value < 0) return "";
  return FormatG(value * Factor(row.kind, units));
}

template <class Block>
BoundEdit Commit(Block& block, const BoundRow<Block>& row, BoundColumn column, std::string_view entry,
                 DisplayUnits units) {
  const bool maximum = column == BoundColumn::Maximum;
  const bool blank = IsBlank(entry);
  if (row.intMinimum != nullptr) {
    int& stored = block.*(maximum ? row.intMaximum : row.intMinimum);
    const int lowest = row.kind == K::Sequence ? 1 : 0;
    int value = 0;
    if (maximum && blank) {
      value = row.kind == K::VertexCount ? 0 : -1;
    } else {
      std::optional<int> parsed = ParseWholeInt(entry);
      if (!parsed || *parsed < lowest) return BoundEdit::Rejected;
      value = row.kind == K::Sequence ? *parsed - 1 : row.kind == K::VertexCount ? *parsed + 1 : *parsed;
    }
    if (stored == value) return BoundEdit::Unchanged;
    stored = value;
    return BoundEdit::Changed;
  }
  double& stored = block.*(maximum ? row.realMaximum : row.realMinimum);
  double value = 0;
  if (maximum && blank) {
    value = row.kind == K::Percent ? 1 : -1;
  } else {
    std::optional<double> parsed = ParseReal(entry);
    if (!parsed) return BoundEdit::Rejected;
    const double lowest = maximum && row.kind != K::Percent ? -1 : 0;
    const double highest = row.kind == K::Percent ? 100 : kLargestBound;
    if (!(*parsed >= lowest && *parsed <= highest)) return BoundEdit::Rejected;
    value = maximum && row.kind != K::Percent && *parsed < 0 ? -1 : *parsed / Factor(row.kind, units);
  }
  if (stored == value) return BoundEdit::Unchanged;
  stored = value;
  return BoundEdit::Changed;
}

bool ValidRow(int row, int rows) { return row >= 0 && row < rows; }

}  // namespace

std::string TransportBoundCaption(int row, DisplayUnits units) {
  const auto& r = kTransportRows[static_cast<std::size_t>(row)];
  return Caption(r.caption, r.kind, units);
}

std::string SegmentBoundCaption(int row, DisplayUnits units) {
  const auto& r = kSegmentRows[static_cast<std::size_t>(row)];
  return Caption(r.caption, r.kind, units);
}

std::string TransportBoundText(const TrackFilter& filter, int row, BoundColumn column, DisplayUnits units) {
  if (!ValidRow(row, kTransportBoundRows)) return {};
  return Text(filter, kTransportRows[static_cast<std::size_t>(row)], column, units);
}

std::string SegmentBoundText(const SegmentFilter& segments, int row, BoundColumn column, DisplayUnits units) {
  if (!ValidRow(row, kSegmentBoundRows)) return {};
  return Text(segments, kSegmentRows[static_cast<std::size_t>(row)], column, units);
}

BoundEdit CommitTransportBound(TrackFilter& filter, int row, BoundColumn column, std::string_view text,
                               DisplayUnits units) {
  if (!ValidRow(row, kTransportBoundRows)) return BoundEdit::Rejected;
  return Commit(filter, kTransportRows[static_cast<std::size_t>(row)], column, text, units);
}

BoundEdit CommitSegmentBound(SegmentFilter& segments, int row, BoundColumn column, std::string_view text,
                             DisplayUnits units) {
  if (!ValidRow(row, kSegmentBoundRows)) return BoundEdit::Rejected;
  return Commit(segments, kSegmentRows[static_cast<std::size_t>(row)], column, text, units);
}

bool SetTrackTypeIncluded(TrackFilter& filter, int type, bool included) {
  if (type < 0 || type >= settings::kTrackTypeCount) return false;
  const int mask = included ? filter.originTypeMask | settings::TrackTypeMask(type)
                            : filter.originTypeMask & ~settings::TrackTypeMask(type);
  if (mask == filter.originTypeMask) return false;
  filter.originTypeMask = mask;
  return true;
}

std::string GenerationText(const TrackFilter& filter, BoundColumn column) {
  if (column == BoundColumn::Minimum) return std::to_string(filter.genMin);
  return filter.genMax < 0 ? "" : std::to_string(filter.genMax);
}

BoundEdit CommitGeneration(TrackFilter& filter, BoundColumn column, std::string_view entry) {
  const bool maximum = column == BoundColumn::Maximum;
  int& stored = maximum ? filter.genMax : filter.genMin;
  std::optional<int> value = maximum && IsBlank(entry) ? std::optional<int>(-1) : ParseWholeInt(entry);
  if (!value || *value < (maximum ? -1 : 1)) return BoundEdit::Rejected;
  if (*value == stored) return BoundEdit::Unchanged;
  stored = *value;
  return BoundEdit::Changed;
}

}  // namespace tessarin::ui
