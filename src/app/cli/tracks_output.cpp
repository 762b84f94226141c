#include "app/cli/tracks_output.h"

#include <cmath>
#include <ostream>
#include <sstream>

#include "tracks/messages.h"
#include "platform/shortest_number.h"

namespace tessarin::cli {
namespace {

namespace messages = tracks::messages;

constexpr std::size_t kCellWidth = 12;

void PadLeft(std::ostream& out, const std::string& text, std::size_t width) {
  if (text.size() < width) out << std::string(width - text.size(), ' ');
  out << text;
}

std::string JsonString(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

// The shortest text that reads back as the same double; null when blank or
// not a finite number.
std::string JsonNumber(const std::optional<double>& value) {
  if (!value || !std::isfinite(*value)) return "null";
  return platform::ShortestText(*value);
}

std::vector<long long> Counts(const tracks::TrackStatistics& s) {
  return {s.histories, s.tracks, s.escapeTracks, s.truncatedTracks};
}

}  // namespace

void PrintStatisticsText(const TrackStatisticsReport& report, std::ostream& out) {
  std::size_t captionWidth = 0;
  for (const tracks::StatisticsTableRow& row : report.table) captionWidth = std::max(captionWidth, row.caption.size());
  out << messages::kStatisticsHeading << "\n\n";
  out << messages::kStatisticColumns[0] << std::string(captionWidth - messages::kStatisticColumns[0].size(), ' ');
  for (const tracks::StatisticColumn& column : tracks::kStatisticValueColumns)
    PadLeft(out, std::string(messages::kStatisticColumns[column.heading]), kCellWidth);
  out << "\n";
  for (const tracks::StatisticsTableRow& row : report.table) {
    std::ostringstream line;
    line << row.caption << std::string(captionWidth - row.caption.size(), ' ');
    for (const tracks::StatisticColumn& column : tracks::kStatisticValueColumns)
      PadLeft(line, tracks::StatisticCell(row, column), kCellWidth);
    std::string text = line.str();
    text.erase(text.find_last_not_of(' ') + 1);
    out << text << "\n";
  }
  out << "\n";
  const std::vector<long long> counts = Counts(report.statistics);
  for (std::size_t i = 0; i < counts.size(); ++i) out << messages::kCountCaptions[i] << " " << counts[i] << "\n";
}

void PrintStatisticsJson(const TrackStatisticsReport& report, std::ostream& out) {
  const tracks::TrackStatistics& s = report.statistics;
  out << "{\n";
  out << "  \"tracks\": " << s.tracks << ",\n";
  out << "  \"histories\": " << s.histories << ",\n";
  out << "  \"escape tracks\": " << s.escapeTracks << ",\n";
  out << "  \"truncated tracks\": " << s.truncatedTracks << ",\n";
  out << "  \"messages\": [";
  for (std::size_t i = 0; i < report.messages.size(); ++i)
    out << (i == 0 ? "" : ", ") << JsonString(report.messages[i]);
  out << "]";
  for (const tracks::StatisticsTableRow& row : report.table) {
    out << ",\n  " << JsonString(row.caption) << ": {\"count\": " << row.count;
    for (const tracks::StatisticColumn& column : tracks::kStatisticValueColumns)
      out << ", \"" << column.jsonKey << "\": " << JsonNumber(row.*column.value);
    out << ", \"sampleStddev\": " << JsonNumber(row.sampleDeviation) << "}";
  }
  out << "\n}\n";
}

}  // namespace tessarin::cli
