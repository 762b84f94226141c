#pragma once
// How "tracks stats" prints the statistics: the dialog's table as text, or
// one JSON object.

#include <iosfwd>
#include <string>
#include <vector>

#include "tracks/statistics_table.h"

namespace tessarin::cli {

struct TrackStatisticsReport {
  const tracks::TrackStatistics& statistics;
  tracks::StatisticsTable table;
  std::vector<std::string> messages;
};

void PrintStatisticsText(const TrackStatisticsReport& report, std::ostream& out);
void PrintStatisticsJson(const TrackStatisticsReport& report, std::ostream& out);

}  // namespace tessarin::cli
