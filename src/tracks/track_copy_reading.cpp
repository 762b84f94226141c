// The tracks in range, taken from the copy in memory instead of the file.

#include <algorithm>

#include "tracks/reading_steps.h"

namespace tessarin::tracks {

bool ReadTrackCopy(const settings::TRACKSETDATA& copy, const TrackReadingRequest& request,
                   TrackStatistics& statistics) {
  const settings::TrackFilter& filter = request.filter;
  const int histories = copy.histories;
  const int tracks = copy.tracks;
  const std::vector<std::int32_t>& first = copy.firstTrack;
  const int historyStart = std::max(filter.historyNumStart, 0);
  const int trackStart = std::max(filter.trackNumStart, 0);
  if (historyStart >= histories || tracks == 0) return true;

  int i = historyStart;
  while (i < histories && first[static_cast<std::size_t>(i)] <= trackStart) ++i;
  const int firstHistory = i > historyStart ? i - 1 : historyStart;
  const int lastTrack = filter.trackNumEnd < 0 || filter.trackNumEnd >= tracks ? tracks - 1 : filter.trackNumEnd;
  const int lastHistoryAllowed =
      filter.historyNumEnd < 0 || filter.historyNumEnd >= histories ? histories - 1 : filter.historyNumEnd;
  int lastHistory = lastHistoryAllowed;
  while (lastHistory >= firstHistory && first[static_cast<std::size_t>(lastHistory)] > lastTrack) --lastHistory;
  if (lastHistory < firstHistory) return true;

  ProgressMeter progress(request);
  const int from = std::max(trackStart, first[static_cast<std::size_t>(firstHistory)]);
  const int to = std::min(lastTrack, first[static_cast<std::size_t>(lastHistory) + 1] - 1);
  int history = firstHistory;
  for (int w = from; w <= to; ++w) {
    while (w >= first[static_cast<std::size_t>(history) + 1]) ++history;
    const settings::TrackRecord& record = copy.records[static_cast<std::size_t>(w)];
    TrackInput input{history,       w, record.sourceParticle, record.generation, record.type, record.typeMask,
                     record.endFlag, copy.vertices.Vertices(record)};
    PassTrack(input, copy.layout, request, statistics);
    progress.Tick(static_cast<double>(w - from + 1) / static_cast<double>(to - from + 1));
    if (StopRequested(request)) return false;
  }
  return true;
}

}  // namespace tessarin::tracks
