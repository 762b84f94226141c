// The walk through a track data file: headers, source particle numbers,
// vertex counts and vertex lines, in either layout.

#include <cstdlib>
#include <limits>
#include <span>
#include <vector>

#include "tracks/reading_steps.h"
#include "tracks/track_file_lines.h"

namespace tessarin::tracks {
namespace {


class FileWalk {
 public:
  FileWalk(LineSource& lines, std::uint64_t fileSize, const TrackReadingRequest& request,
           TRACKSETDATA& copy, TrackStatistics& statistics)
      : lines_(lines),
        fileSize_(fileSize),
        request_(request),
        filter_(request.filter),
        keep_(request.keepTrackDataInMemory),
        copy_(copy),
        statistics_(statistics),
        progress_(request) {}

  FileReadingResult Run();
  int Layout() const { return layout_; }

 private:
  enum class Step { Continue, End, Error };
  // Whether the loop should go on after a range end was passed.
  bool PassRangeEnd();
  Step ReadHistoryStart(const HeaderLine& header);
  Step ReadTrack(int generation, int type);
  bool ReadVertices(std::int64_t count, bool keepVertices, bool& cut);
  double FractionRead() const;
  void EndTrack(bool cut, bool olderEscape, int generation, int type);
  Step Fail() {
    result_.formatError = true;
    return Step::Error;
  }

  LineSource& lines_;
  std::uint64_t fileSize_;
  const TrackReadingRequest& request_;
  const settings::TrackFilter& filter_;
  bool keep_;
  TRACKSETDATA& copy_;
  TrackStatistics& statistics_;
  ProgressMeter progress_;
  FileReadingResult result_;

  int layout_ = 0;
  int history_ = -1;  // t
  int track_ = -1;    // w
  bool processing_ = true;
  std::int64_t sourceParticle_ = 0;
  // The vertices of the track just read: in the line source's chunk when
  // the track lies inside one, else gathered in `gathered_`.
  std::span<TrackVertex> vertices_;
  std::vector<TrackVertex> gathered_;
  std::string_view line_;
};

bool FileWalk::PassRangeEnd() {
  if (keep_) {
    processing_ = false;  // the copy still wants the rest of the file
    return true;
  }
  return false;
}

FileReadingResult FileWalk::Run() {
  if (keep_) {
    copy_.records.reserve(10000);
    copy_.firstTrack.reserve(10000);
  }
  Step step = Step::Continue;
  while (step == Step::Continue) {
    if (processing_ && filter_.trackNumEnd >= 0 && track_ >= filter_.trackNumEnd && !PassRangeEnd()) break;
    if (!lines_.Next(line_)) break;
    const HeaderLine header = RecogniseHeader(line_, layout_, static_cast<std::int64_t>(track_) + 2);
    switch (header.kind) {
      case HeaderKind::CurrentHistory:
      case HeaderKind::OlderHistory:
        if (processing_ && filter_.historyNumEnd >= 0 && history_ >= filter_.historyNumEnd && !PassRangeEnd()) {
          step = Step::End;
          break;
        }
        step = ReadHistoryStart(header);
        if (step == Step::Continue) step = ReadTrack(0, 0);
        break;
      case HeaderKind::Secondary:
        step = header.wellFormed ? ReadTrack(header.generation, header.type) : Fail();
        break;
      case HeaderKind::Other:
        step = Fail();
        break;
    }
  }
  result_.historyNumber = history_ + 1;
  result_.sourceParticle = sourceParticle_;
  if (step != Step::Error && StopRequested(request_) && lines_.HasMore()) result_.stoppedBeforeEnd = true;
  if (keep_) {
    copy_.layout = layout_ == 0 ? kCurrentTrackLayout : layout_;
    copy_.histories = static_cast<std::int32_t>(copy_.firstTrack.size());
    copy_.tracks = static_cast<std::int32_t>(copy_.records.size());
    copy_.firstTrack.push_back(copy_.tracks);
  }
  return result_;
}

FileWalk::Step FileWalk::ReadHistoryStart(const HeaderLine& header) {
  if (layout_ == 0)
    layout_ = header.kind == HeaderKind::OlderHistory ? kOlderTrackLayout : kCurrentTrackLayout;
  if (!header.wellFormed) return Fail();
  if (history_ == std::numeric_limits<int>::max() - 1) return Fail();
  ++history_;
  if (keep_) copy_.firstTrack.push_back(static_cast<std::int32_t>(copy_.records.size()));
  std::int64_t number = 0;
  if (!lines_.Next(line_) || !ParseSourceParticle(line_, number)) return Fail();
  sourceParticle_ = number;
  return Step::Continue;
}

FileWalk::Step FileWalk::ReadTrack(int generation, int type) {
  if (track_ == std::numeric_limits<int>::max() - 1) return Fail();
  ++track_;
  std::int64_t count = 0;
  if (!lines_.Next(line_) || !ParseVertexCount(line_, count)) return Fail();
  if (count > std::numeric_limits<std::int32_t>::max() || count < -std::numeric_limits<std::int32_t>::max())
    return Fail();
  bool olderEscape = false;
  if (layout_ == kCurrentTrackLayout) {
    if (count < (generation == 0 && type == 0 ? 2 : 1)) return Fail();
  } else {
    if (count > -2 && count < 2) return Fail();
    olderEscape = count < 0;
    count = std::llabs(count);
  }
  const bool inRange = history_ >= filter_.historyNumStart && track_ >= filter_.trackNumStart;
  bool cut = false;
  if (!ReadVertices(count, inRange || keep_, cut)) return Fail();
  EndTrack(cut, olderEscape, generation, type);
  return StopRequested(request_) ? Step::End : Step::Continue;
}

double FileWalk::FractionRead() const {
  return fileSize_ > 0 ? static_cast<double>(lines_.BytesRead()) / static_cast<double>(fileSize_) : 0;
}

bool FileWalk::ReadVertices(std::int64_t count, bool keepVertices, bool& cut) {
  vertices_ = {};
  const std::span<TrackVertex> run = lines_.PeekVertexRun(static_cast<std::size_t>(count));
  if (!run.empty()) {
    // The whole track is at hand: only the Stop is asked vertex by vertex.
    const double fraction = FractionRead();
    std::size_t taken = run.size();
    for (std::size_t i = 0; i < run.size(); ++i) {
      progress_.Tick(fraction);
      if (i + 1 < run.size() && StopRequested(request_)) {
        taken = i + 1;
        cut = true;
        break;
      }
    }
    if (keepVertices) vertices_ = run.first(taken);
    lines_.Skip(taken);
    return true;
  }
  gathered_.clear();
  const TrackVertex* vertex = nullptr;
  for (std::int64_t i = 0; i < count; ++i) {
    if (!lines_.Next(line_, vertex) || vertex == nullptr) return false;
    if (keepVertices) gathered_.push_back(*vertex);
    progress_.Tick(FractionRead());
    if (i + 1 < count && StopRequested(request_)) {
      cut = true;
      break;
    }
  }
  vertices_ = gathered_;
  return true;
}

void FileWalk::EndTrack(bool cut, bool olderEscape, int generation, int type) {
  if (vertices_.empty()) return;  // out of range and not kept
  std::int8_t endFlag = kTrackStopped;
  TrackVertex& last = vertices_.back();
  if (layout_ == kCurrentTrackLayout || cut) {
    if (last.energy < 0) {
      last.energy = -last.energy;
      endFlag = kTrackEscaped;
    } else if (last.energy > 0) {
      endFlag = kTrackEnergyLeft;
    }
  } else if (olderEscape && last.energy > 0) {
    endFlag = kTrackEnergyLeft;  // its last vertex is a direction
  }
  const int trackLayout = cut && layout_ == kOlderTrackLayout ? kCurrentTrackLayout : layout_;
  const bool inRange = history_ >= filter_.historyNumStart && track_ >= filter_.trackNumStart;
  if (processing_ && inRange) {
    TrackInput input{history_, track_, sourceParticle_, generation, type, settings::TrackTypeMask(type), endFlag,
                     vertices_};
    PassTrack(input, trackLayout, request_, statistics_);
  }
  if (keep_) {
    TrackRecord record;
    record.sourceParticle = sourceParticle_;
    record.vertexCount = static_cast<std::int32_t>(vertices_.size());
    record.generation = generation;
    record.typeMask = settings::TrackTypeMask(type);
    record.type = static_cast<std::int8_t>(type);
    record.endFlag = endFlag;
    copy_.vertices.Append(vertices_, record);
    AddTrackRecord(copy_.records, record);
  }
}

}  // namespace

FileReadingResult ReadTrackLines(LineSource& lines, std::uint64_t fileSize, const TrackReadingRequest& request,
                                 TRACKSETDATA& copy, TrackStatistics& statistics) {
  FileWalk walk(lines, fileSize, request, copy, statistics);
  return walk.Run();
}

}  // namespace tessarin::tracks
