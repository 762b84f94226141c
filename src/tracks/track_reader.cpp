#include "tracks/track_reader.h"

#include <sys/stat.h>

#include "platform/format_text.h"
#include "settings/message_format.h"
#include "tracks/messages.h"
#include "tracks/reading_steps.h"

namespace tessarin::tracks {
namespace {

struct FileFacts {
  bool found = false;
  std::int64_t size = 0;
  std::int64_t lastWriteTime = 0;
};

FileFacts Examine(const std::string& path) {
  struct stat facts {};
  if (::stat(path.c_str(), &facts) != 0 || S_ISDIR(facts.st_mode)) return {};
  return {true, static_cast<std::int64_t>(facts.st_size),
          static_cast<std::int64_t>(facts.st_mtim.tv_sec) * 1000000000 + facts.st_mtim.tv_nsec};
}

bool CopyIsCurrent(const TRACKSETDATA& copy, const std::string& path, const FileFacts& file) {
  return copy.tracks > 0 && copy.fileName == path && copy.fileSize == file.size &&
         copy.lastWriteTime == file.lastWriteTime;
}

std::string FormatErrorMessage(const std::string& path, int history, std::int64_t sourceParticle,
                               std::int64_t lineNumber) {
  std::string text = settings::FillMessage(messages::kIncorrectFormat, {path, std::to_string(history)});
  const std::string place = "%lld";
  const std::size_t at = text.find(place);
  if (at != std::string::npos) text.replace(at, place.size(), std::to_string(sourceParticle));
  const std::string name = path.substr(path.find_last_of('/') + 1);
  return text + "\n" + settings::FillMessage(messages::kFormatErrorLocation, {name, std::to_string(lineNumber)});
}

ReadingMessage InterruptedMessage(const std::string& path) {
  return {settings::FillMessage(messages::kInterrupted, {path}), std::string(messages::kInterruptedCaption),
          platform::MessageIcon::Warning};
}

// Marks the copy busy for as long as it is read.
class BusyMark {
 public:
  explicit BusyMark(std::atomic<bool>* busy) : busy_(busy) {
    if (busy_ != nullptr) busy_->store(true, std::memory_order_release);
  }
  ~BusyMark() {
    if (busy_ != nullptr) busy_->store(false, std::memory_order_release);
  }
  BusyMark(const BusyMark&) = delete;
  BusyMark& operator=(const BusyMark&) = delete;

 private:
  std::atomic<bool>* busy_;
};

// Reads the lines and ends the reading as the file's outcome demands.
void ReadLines(LineSource& lines, const std::string& path, const FileFacts& file, const TrackReadingRequest& request,
               TRACKSETDATA& copy, TrackStatistics& statistics, TrackReadingOutcome& outcome) {
  if (request.keepTrackDataInMemory) {
    copy.Release();
    copy.fileName = path;
  }
  const FileReadingResult result =
      ReadTrackLines(lines, static_cast<std::uint64_t>(file.size), request, copy, statistics);
  if (request.keepTrackDataInMemory) {
    copy.fileSize = file.size;
    copy.lastWriteTime = file.lastWriteTime;
    copy.vertices.ShrinkToFit();
    FitTrackRecords(copy.records);
    copy.firstTrack.shrink_to_fit();
    if (copy.tracks == 0) copy.Release();
  }
  // A copy cut short by Stop or by a format error is read again from the
  // file next time, so that the file's message is not lost.
  if (result.stoppedBeforeEnd || result.formatError) copy.fileSize = -1;
  if (result.stoppedBeforeEnd) {
    outcome.interrupted = true;
    outcome.messages.push_back(InterruptedMessage(path));
  }
  if (result.formatError) {
    outcome.formatError = true;
    outcome.messages.push_back(
        {FormatErrorMessage(path, result.historyNumber, result.sourceParticle, lines.LineNumber()), {},
         platform::MessageIcon::Error});
  }
}

void Finish(const TrackReadingRequest& request, TrackStatistics& statistics) {
  if (request.sink != nullptr) request.sink->Finish();
  statistics.Finalise(request.segments);
}

}  // namespace

std::string ProgressCaption(double fraction) {
  return platform::FormatText(messages::kProgressCaption.data(), 100 * fraction);
}

int ProgressBarPosition(double fraction) { return static_cast<int>(1000 * fraction + 0.5); }

TrackReadingOutcome ReadTracks(const TrackReadingRequest& request, TRACKSETDATA& copy,
                               TrackStatistics& statistics) {
  TrackReadingOutcome outcome;
  statistics.Clear();
  const FileFacts file = Examine(request.path);
  if (!request.keepTrackDataInMemory) copy.Release();
  if (request.keepTrackDataInMemory && file.found && CopyIsCurrent(copy, request.path, file)) {
    BusyMark busy(request.busy);
    outcome.fromMemory = true;
    if (!ReadTrackCopy(copy, request, statistics)) {
      outcome.interrupted = true;
      outcome.messages.push_back(InterruptedMessage(request.path));
    }
    Finish(request, statistics);
    return outcome;
  }
  LineSource lines(request.path);
  if (!file.found || !lines.Good()) {
    copy.Release();
    outcome.missingFile = true;
    if (request.sink == nullptr || !request.fileNameBlank)
      outcome.messages.push_back({settings::FillMessage(messages::kCannotOpen, {request.path}), {},
                                  platform::MessageIcon::Error});
    return outcome;
  }
  BusyMark busy(request.busy);
  ReadLines(lines, request.path, file, request, copy, statistics, outcome);
  Finish(request, statistics);
  return outcome;
}

TrackReadingOutcome ReadTrackText(std::span<const char> text, const TrackReadingRequest& request,
                                  TRACKSETDATA& copy, TrackStatistics& statistics) {
  TrackReadingOutcome outcome;
  statistics.Clear();
  LineSource lines(text);
  FileFacts file{true, static_cast<std::int64_t>(text.size()), 0};
  ReadLines(lines, request.path, file, request, copy, statistics, outcome);
  Finish(request, statistics);
  return outcome;
}

}  // namespace tessarin::tracks
