#include "render/track_drawing.h"

#include <cmath>
#include <utility>

#include "platform/format_text.h"
#include "render/messages.h"
#include "settings/trackset_data.h"

namespace tessarin::render {

namespace {

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

platform::FileReplacement* TrackDrawing::FileOfType(int type) {
  const auto index = static_cast<std::size_t>(type);
  if (failed_[index]) return nullptr;
  if (files_[index]) return files_[index].get();
  fileNames_[index] = TrackFileName(settings_.basePath, type);
  auto file = std::make_unique<platform::FileReplacement>(fileNames_[index]);
  if (file->Failed()) {
    failed_[index] = true;
    messages_.push_back({platform::FormatText(messages::kCouldNotOpen, fileNames_[index].c_str()), {},
                         platform::MessageIcon::Error});
    fileNames_[index].clear();
    return nullptr;
  }
  const settings::ColorEntry& color = settings_.colors[index];
  file->Write(platform::FormatText(messages::kVdrawOpen, type));
  file->Write(platform::FormatText(messages::kVdrawColor, unsigned{color.red}, unsigned{color.green},
                                   unsigned{color.blue}));
  files_[index] = std::move(file);
  return files_[index].get();
}

bool TrackDrawing::AddPoint(platform::FileReplacement* file, bool first, double x, double y, double z,
                            const tracks::TrackInput& track) {
  const double factor = 10 * settings_.scale;
  const double scaledX = factor * x, scaledY = factor * y, scaledZ = factor * z;
  if (!std::isfinite(scaledX) || !std::isfinite(scaledY) || !std::isfinite(scaledZ)) [[unlikely]] {
    if (refusal_.empty())
      refusal_ = platform::FormatText(messages::kTrackPointNotFinite, static_cast<long long>(track.track) + 1, x, y, z);
    return false;
  }
  writer_.Add(file, first, scaledX, scaledY, scaledZ);
  return true;
}

void TrackDrawing::Add(const tracks::TrackInput& track, const tracks::SelectedSegment& segment, int layout) {
  ++tracksSelected_;
  if (finished_ || !refusal_.empty()) return;
  const std::optional<TrackPointPlan> plan = allowance_.Admit(track, segment, layout);
  if (!plan) return;
  platform::FileReplacement* file = FileOfType(track.type);
  if (file == nullptr) return;
  allowance_.Draw(track, segment, layout, *plan, points_);
  for (std::size_t k = 0; k < points_.size(); ++k)
    if (!AddPoint(file, k == 0, points_[k].x, points_[k].y, points_[k].z, track)) return;
  writer_.EndTrack();
}

int TrackDrawing::FilesFailed() const {
  int count = 0;
  for (bool failed : failed_) count += failed ? 1 : 0;
  return count;
}

void TrackDrawing::CloseFiles() {
  for (std::size_t index = 0; index < files_.size(); ++index) {
    TrackFile& file = files_[index];
    if (!file) continue;
    if (refusal_.empty()) {
      file->Write(messages::kVdrawSend);
      if (file->Commit()) {
        file.reset();
        continue;
      }
      messages_.push_back({platform::FormatText(messages::kCouldNotWrite, fileNames_[index].c_str(),
                                                file->Reason().c_str()),
                           {}, platform::MessageIcon::Error});
    }
    file.reset();  // the older file stays
    failed_[index] = true;
    fileNames_[index].clear();
  }
  if (!refusal_.empty()) messages_.push_back({refusal_, {}, platform::MessageIcon::Error});
}

void TrackDrawing::Finish() {
  if (finished_) return;
  finished_ = true;
  writer_.Flush();
  CloseFiles();
  if (allowance_.OlderLayoutEscapes())
    messages_.push_back({platform::FormatText(messages::kOlderTrackLayout, settings_.trackDataPath.c_str()), {},
                         platform::MessageIcon::Warning});
  std::string report = allowance_.Report(tracksSelected_);
  if (!report.empty()) messages_.push_back({std::move(report), {}, platform::MessageIcon::Warning});
}

}  // namespace tessarin::render
