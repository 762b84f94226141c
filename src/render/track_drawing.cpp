#include "render/track_drawing.h"

#include <utility>

#include "platform/format_text.h"
#include "render/messages.h"
#include "settings/trackset_data.h"

namespace tessarin::render {

namespace {

// Files of many thousands of lines: a larger buffer than stdio's default.
constexpr std::size_t kFileBuffer = 1 << 16;

TrackAllowanceSettings AllowanceOf(const TrackDrawingSettings& settings) {
  return {settings.nVerticesTrackMax, settings.nVerticesTotalMax, settings.extendEscapeTracks, settings.worldSize};
}

}  // namespace

std::string TrackFileName(const std::string& basePath, int type) {
  return basePath + std::string(kTrackFileSuffixes[static_cast<std::size_t>(type)]) + ".rt";
}

TrackDrawing::TrackDrawing(TrackDrawingSettings settings)
    : settings_(std::move(settings)), allowance_(AllowanceOf(settings_)) {}

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
  if (finished_) return;
  const std::optional<TrackPointPlan> plan = allowance_.Admit(track, segment, layout);
  if (!plan) return;
  std::FILE* file = FileOfType(track.type);
  if (file == nullptr) return;
  allowance_.Draw(track, segment, layout, *plan, points_);
  for (std::size_t k = 0; k < points_.size(); ++k) AddPoint(file, k == 0, points_[k].x, points_[k].y, points_[k].z);
  writer_.EndTrack();
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
  if (allowance_.OlderLayoutEscapes())
    messages_.push_back({platform::FormatText(messages::kOlderTrackLayout, settings_.trackDataPath.c_str()), {},
                         platform::MessageIcon::Warning});
  std::string report = allowance_.Report(tracksSelected_);
  if (!report.empty()) messages_.push_back({std::move(report), {}, platform::MessageIcon::Warning});
}

}  // namespace tessarin::render
