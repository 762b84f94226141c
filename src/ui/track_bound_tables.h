#pragma once
// The two tables of bounds that the filtering tab and the Track statistics
// dialog edit: "Filtering by transport parameters" (the filter block) and
// "Track segment selection" (the segment block). Values are shown and
// entered in the display units and stored in eV, cm and fractions.

#include <string>
#include <string_view>

#include "settings/viewparm.h"

namespace tessarin::ui {

struct DisplayUnits {
  int energy = 0;    // unitEnergy
  int distance = 2;  // unitDistance
};

enum class BoundColumn { Minimum, Maximum };
enum class BoundEdit { Rejected, Unchanged, Changed };

inline constexpr int kTransportBoundRows = 10;
inline constexpr int kSegmentBoundRows = 5;

// "Initial energy (keV)" and so on.
std::string TransportBoundCaption(int row, DisplayUnits units);
std::string SegmentBoundCaption(int row, DisplayUnits units);

// The cell's text; empty for "no bound".
std::string TransportBoundText(const settings::TrackFilter& filter, int row, BoundColumn column, DisplayUnits units);
std::string SegmentBoundText(const settings::SegmentFilter& segments, int row, BoundColumn column,
                             DisplayUnits units);

// Stores an entry when it parses completely and lies in its range.
BoundEdit CommitTransportBound(settings::TrackFilter& filter, int row, BoundColumn column, std::string_view text,
                               DisplayUnits units);
BoundEdit CommitSegmentBound(settings::SegmentFilter& segments, int row, BoundColumn column, std::string_view text,
                             DisplayUnits units);

// The particle-type check boxes and the generation fields.
[[nodiscard]] bool SetTrackTypeIncluded(settings::TrackFilter& filter, int type, bool included);  // true when changed
std::string GenerationText(const settings::TrackFilter& filter, BoundColumn column);
// Minimum: a positive integer; maximum: blank for none or an integer >= -1.
BoundEdit CommitGeneration(settings::TrackFilter& filter, BoundColumn column, std::string_view text);

}  // namespace tessarin::ui
