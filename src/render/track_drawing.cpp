#include "render/track_drawing.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/format_text.h"
#include "render/messages.h"
#include "render/track_points.h"
#include "settings/trackset_data.h"

namespace tessarin::render {

namespace {

// Files of many thousands of lines: a larger buffer than stdio's default.
constexpr std::size_t kFileBuffer = 1 << 16;

bool DrawnAsEscaped(const tracks::TrackInput& track, int layout) {
  // An older-layout escape track reaches the filter with the "energy left"
  // flag, its last point already moved out along its direction of flight.
  return track.endFlag == settings::kTrackEscaped ||
         (layout == settings::kOlderTrackLayout && track.endFlag == settings::kTrackEnergyLeft);
}

}  // namespace

std::string TrackFileName(const std::string& basePath, int type) {
  return basePath + std::string(kTrackFileSuffixes[static_cast<std::size_t>(type)]) + ".rt";
}

TrackDrawing::TrackDrawing(TrackDrawingSettings settings) : settings_(std::move(settings)) {}

TrackDrawing::~TrackDrawing() = default;

std::FILE* TrackDrawing::FileOfType(int type) {
  const auto index = static_cast<std::size_t>(type);
  if (failed_[index]) return nullptr;
  if (files_[index]) return files_[index].get();
  fileNames_[index] = TrackFileName(settings_.basePath, type);
  TrackFile file(std::fopen(fileNames_[index].c_str(), "w"));
  if (!file) {
    failed_[index] = true;
    messages_.push_back({platform::FormatText(messages::kCouldNotOpen, fileNames_[index].c_str()), {},
                         platform::MessageIcon::Error});
    fileNames_[index].clear();
    return nullptr;
  }
  std::setvbuf(file.get(), nullptr, _IOFBF, kFileBuffer);
  const settings::ColorEntry& color = settings_.colors[index];
  std::fprintf(file.get(), messages::kVdrawOpen, type);
  std::fprintf(file.get(), messages::kVdrawColor, unsigned{color.red}, unsigned{color.green}, unsigned{color.blue});
  files_[index] = std::move(file);
  return files_[index].get();
}

void TrackDrawing::AddPoint(std::FILE* file, bool first, double x, double y, double z) {
  const double factor = 10 * settings_.scale;
  writer_.Add(file, first, factor * x, factor * y, factor * z);
}

void TrackDrawing::Add(const tracks::TrackInput& track, const tracks::SelectedSegment& segment, int layout) {
  ++tracksSelected_;
  if (limitReached_ || finished_) return;
  const int vertexCount = static_cast<int>(track.vertices.size());
  if (track.type < 0 || track.type >= settings::kTrackTypeCount || vertexCount < 1) return;
  const bool escaped = DrawnAsEscaped(track, layout);
  const TrackPointPlan plan = PlanTrackPoints(segment, vertexCount, escaped, settings_.nVerticesTrackMax);
  if (plan.first < 0 || plan.last >= vertexCount || plan.lastDrawn < plan.first - 1) return;
  if (settings_.nVerticesTotalMax >= 0 && settings_.nVerticesTotalMax - pointsWritten_ < plan.allowance) {
    limitReached_ = true;
    return;
  }
  std::FILE* file = FileOfType(track.type);
  if (file == nullptr) return;

  const settings::TrackVertex& start = segment.interpolatedStart ? segment.start : track.vertices[plan.first];
  AddPoint(file, true, start.x, start.y, start.z);
  DrawnVertices(plan, vertexIndices_);
  for (int index : vertexIndices_) {
    const settings::TrackVertex& vertex = track.vertices[static_cast<std::size_t>(index)];
    AddPoint(file, false, vertex.x, vertex.y, vertex.z);
  }
  if (segment.interpolatedEnd) AddPoint(file, false, segment.end.x, segment.end.y, segment.end.z);
  if (plan.Thinned()) thinned_ = true;
  pointsWritten_ += plan.allowance;

  if (escaped && settings_.extendEscapeTracks && layout != settings::kOlderTrackLayout && vertexCount >= 2) {
    // Out of the world along the last piece, so that the track visibly leaves.
    const settings::TrackVertex& last = track.vertices[static_cast<std::size_t>(vertexCount - 1)];
    const settings::TrackVertex& previous = track.vertices[static_cast<std::size_t>(vertexCount - 2)];
    const double dx = last.x - previous.x, dy = last.y - previous.y, dz = last.z - previous.z;
    const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (length > 0) {
      const double reach = 2 * settings_.worldSize / length;
      AddPoint(file, false, last.x + reach * dx, last.y + reach * dy, last.z + reach * dz);
    }
  }
  writer_.EndTrack();
  if (escaped && !settings_.extendEscapeTracks && layout == settings::kOlderTrackLayout) olderLayoutEscapes_ = true;
  ++tracksDrawn_;
}

int TrackDrawing::FilesFailed() const {
  int count = 0;
  for (bool failed : failed_) count += failed ? 1 : 0;
  return count;
}

void TrackDrawing::Finish() {
  if (finished_) return;
  finished_ = true;
  writer_.Flush();
  for (TrackFile& file : files_) {
    if (!file) continue;
    std::fputs(messages::kVdrawSend, file.get());
    file.reset();
  }
  if (olderLayoutEscapes_)
    messages_.push_back({platform::FormatText(messages::kOlderTrackLayout, settings_.trackDataPath.c_str()), {},
                         platform::MessageIcon::Warning});
  std::string report;
  if (limitReached_)
    report += platform::FormatText(messages::kTotalVerticesExceeded, settings_.nVerticesTotalMax, tracksDrawn_,
                                   tracksSelected_);
  if (thinned_) report += platform::FormatText(messages::kTracksThinned, settings_.nVerticesTrackMax);
  if (!report.empty()) messages_.push_back({std::move(report), {}, platform::MessageIcon::Warning});
}

}  // namespace tessarin::render
