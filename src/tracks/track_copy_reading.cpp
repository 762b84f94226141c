// The tracks in range, taken from the copy in memory instead of the file.
// Without a sink (counting, statistics) blocks of tracks are judged on all
// cores; the blocks' statistics add up to the bit as one pass in track
// order does (see TrackStatistics::Append).

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>
#include <thread>
#include <vector>

#include "platform/worker_threads.h"
#include "tracks/reading_steps.h"

namespace tessarin::tracks {
namespace {

constexpr int kBlockShift = TrackStatistics::kBlockShift;
// Blocks judged between two looks at the progress; their statistics wait
// for the blocks before them.
constexpr int kBlocksPerRound = 64;
constexpr unsigned kMostThreads = 4;

// The last track of the block, or of `whole` when it ends first (computed
// in 64 bits: the last block may reach past the largest int).
int BlockEnd(int block, int wholeEnd) {
  return static_cast<int>(std::min<std::int64_t>(wholeEnd, ((std::int64_t{block} + 1) << kBlockShift) - 1));
}

struct TrackRange {
  int from = 0;  // inclusive
  int to = -1;
  double Fraction(int done) const { return static_cast<double>(done - from + 1) / static_cast<double>(to - from + 1); }
};

// The history of track `w`: the last one beginning at or before it (a
// history cut short by an error holds no track).
int HistoryOf(const TRACKSETDATA& copy, int w) {
  const auto begin = copy.firstTrack.begin();
  return static_cast<int>(std::upper_bound(begin, begin + copy.histories, w) - begin) - 1;
}

// Passes the tracks of `range` in order. False when stopped.
bool PassTracks(const TRACKSETDATA& copy, const TrackReadingRequest& request, TrackRange range,
                TrackStatistics& statistics, ProgressMeter* progress, TrackRange whole) {
  const std::vector<std::int32_t>& first = copy.firstTrack;
  int history = HistoryOf(copy, range.from);
  for (int w = range.from; w <= range.to; ++w) {
    while (w >= first[static_cast<std::size_t>(history) + 1]) ++history;
    const TrackRecord& record = copy.records[static_cast<std::size_t>(w)];
    TrackInput input{history,       w, record.sourceParticle, record.generation, record.type, record.typeMask,
                     record.endFlag, copy.vertices.Vertices(record)};
    PassTrack(input, copy.layout, request, statistics);
    if (progress != nullptr) progress->Tick(whole.Fraction(w));
    if (StopRequested(request)) return false;
  }
  return true;
}

unsigned ThreadCount() { return std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads); }

// One round of blocks, judged by `threads` threads (this one among them).
// Returns how many blocks, from the first, can be taken in: all of them, or
// up to and including the one a Stop cut short.
int JudgeRound(const TRACKSETDATA& copy, const TrackReadingRequest& request, TrackRange whole,
               int firstBlock, int blocks, unsigned threads, std::vector<TrackStatistics>& results) {
  std::unique_ptr<bool[]> complete(new bool[static_cast<std::size_t>(blocks)]());
  std::atomic<int> next{0};
  std::atomic<bool> stopped{false};
  std::exception_ptr failure;
  std::atomic<bool> failed{false};
  auto work = [&] {
    try {
      // A block taken is judged to its end or to the Stop, so that the
      // blocks before the first one cut short are all complete.
      while (!stopped && !failed) {
        const int i = next++;
        if (i >= blocks) break;
        const int block = firstBlock + i;
        const TrackRange range{std::max(whole.from, block << kBlockShift), BlockEnd(block, whole.to)};
        // Gathered apart and copied in once: neighbouring results written
        // for every track by two threads would share cache lines.
        TrackStatistics statistics;
        complete[static_cast<std::size_t>(i)] = PassTracks(copy, request, range, statistics, nullptr, whole);
        results[static_cast<std::size_t>(i)] = statistics;
        if (!complete[static_cast<std::size_t>(i)]) stopped = true;
      }
    } catch (...) {
      if (!failed.exchange(true)) failure = std::current_exception();
    }
  };
  platform::RunOnThreads(static_cast<int>(threads), [&work](int) { work(); });
  if (failure != nullptr) std::rethrow_exception(failure);
  int taken = 0;
  while (taken < blocks && complete[static_cast<std::size_t>(taken)]) ++taken;
  return taken < blocks && stopped ? taken + 1 : taken;
}

bool ReadInBlocks(const TRACKSETDATA& copy, const TrackReadingRequest& request, TrackRange whole,
                  unsigned threads, TrackStatistics& statistics) {
  ProgressMeter progress(request);
  std::vector<TrackStatistics> results(kBlocksPerRound);
  const int firstBlock = whole.from >> kBlockShift;
  const int lastBlock = whole.to >> kBlockShift;
  for (int round = firstBlock; round <= lastBlock; round += kBlocksPerRound) {
    const int blocks = std::min(kBlocksPerRound, lastBlock - round + 1);
    const int taken = JudgeRound(copy, request, whole, round, blocks, threads, results);
    for (int i = 0; i < taken; ++i) statistics.Append(results[static_cast<std::size_t>(i)]);
    if (taken < blocks || StopRequested(request)) return false;
    progress.Look(whole.Fraction(BlockEnd(round + blocks - 1, whole.to)));
  }
  return true;
}

}  // namespace

bool ReadTrackCopy(const TRACKSETDATA& copy, const TrackReadingRequest& request,
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

  const TrackRange whole{std::max(trackStart, first[static_cast<std::size_t>(firstHistory)]),
                         std::min(lastTrack, first[static_cast<std::size_t>(lastHistory) + 1] - 1)};
  const unsigned threads = ThreadCount();
  // The sink wants its tracks one by one in order.
  if (request.sink == nullptr && threads > 1 && (whole.to >> kBlockShift) > (whole.from >> kBlockShift))
    return ReadInBlocks(copy, request, whole, threads, statistics);
  ProgressMeter progress(request);
  return PassTracks(copy, request, whole, statistics, &progress, whole);
}

}  // namespace tessarin::tracks
