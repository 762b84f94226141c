#include "render/track_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <utility>

#include "platform/format_text.h"
#include "render/messages.h"
#include "render/tcl_quoted.h"
#include "render/track_points.h"
#include "tracks/trackset_data.h"

namespace tessarin::render {

namespace {

TrackAllowanceSettings AllowanceOf(const TrackDrawingSettings& settings) {
  return {settings.nVerticesTrackMax, settings.nVerticesTotalMax, settings.extendEscapeTracks, settings.worldSize};
}

}  // namespace

std::string TrackFileName(const std::string& basePath, int type) {
  return basePath + std::string(kTrackFileSuffixes[static_cast<std::size_t>(type)]) + ".rt";
}

std::string TrackPlotFileName(const std::string& basePath, int type) {
  return basePath + std::string(kTrackFileSuffixes[static_cast<std::size_t>(type)]) + ".plot3";
}

TrackDrawing::TrackDrawing(TrackDrawingSettings settings)
    : settings_(std::move(settings)),
      allowance_(AllowanceOf(settings_)),
      writer_(settings_.form == ScriptForm::Fast ? TrackPointFormat::Plot3 : TrackPointFormat::VdrawBlock,
              [this](int type, std::uint32_t curve) { return CurveBreak(type, curve); }) {}

TrackDrawing::~TrackDrawing() = default;

platform::FileReplacement* TrackDrawing::FileOfType(int type) {
  const auto index = static_cast<std::size_t>(type);
  if (failed_[index]) return nullptr;
  if (files_[index]) return files_[index].get();
  fileNames_[index] = TrackFileName(settings_.basePath, type);
  const std::string dataPath = Fast() ? TrackPlotFileName(settings_.basePath, type) : fileNames_[index];
  auto file = std::make_unique<platform::FileReplacement>(dataPath);
  if (file->Failed()) {
    failed_[index] = true;
    messages_.push_back({platform::FormatText(messages::kCouldNotOpen, dataPath.c_str(), file->Reason().c_str()), {},
                         platform::MessageIcon::Error});
    fileNames_[index].clear();
    return nullptr;
  }
  const settings::ColorEntry& color = settings_.colors[index];
  if (Fast()) {
    // plot3's colour command: 'C' and the red, green and blue bytes.
    const std::array<char, 4> colour{'C', static_cast<char>(color.red), static_cast<char>(color.green),
                                     static_cast<char>(color.blue)};
    file->Write(std::string_view(colour.data(), colour.size()));
  } else {
    file->Write(CurveOpening(type, 1));
  }
  curves_[index] = 1;
  files_[index] = std::move(file);
  return files_[index].get();
}

std::string TrackDrawing::CurveOpening(int type, std::uint32_t curve) const {
  const settings::ColorEntry& color = settings_.colors[static_cast<std::size_t>(type)];
  std::string text = curve == 1 ? platform::FormatText(messages::kVdrawOpen, type)
                                : platform::FormatText(messages::kVdrawOpenNext, type, unsigned{curve});
  text += platform::FormatText(messages::kVdrawColor, unsigned{color.red}, unsigned{color.green},
                               unsigned{color.blue});
  text += messages::kVdrawPointsStart;
  return text;
}

std::string TrackDrawing::CurveBreak(int type, std::uint32_t curve) const {
  return std::string(messages::kVdrawPointsEnd) + messages::kVdrawSend + CurveOpening(type, curve);
}

bool TrackDrawing::AddPoint(platform::FileReplacement* file, bool first, double x, double y, double z,
                            const tracks::TrackInput& track, std::uint32_t opensCurve) {
  const double factor = 10 * settings_.scale;
  const double scaledX = factor * x, scaledY = factor * y, scaledZ = factor * z;
  if (!std::isfinite(scaledX) || !std::isfinite(scaledY) || !std::isfinite(scaledZ)) [[unlikely]] {
    if (refusal_.empty())
      refusal_ = platform::FormatText(messages::kTrackPointNotFinite, static_cast<long long>(track.track) + 1, x, y, z);
    return false;
  }
  if (opensCurve != 0) writer_.AddOpeningCurve(file, track.type, opensCurve, scaledX, scaledY, scaledZ);
  else writer_.Add(file, first, scaledX, scaledY, scaledZ);
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
  const auto index = static_cast<std::size_t>(track.type);
  std::uint32_t opens = 0;
  if (!Fast() && curvePoints_[index] >= kPointsPerCurve) {
    opens = ++curves_[index];
    curvePoints_[index] = 0;
  }
  curvePoints_[index] += static_cast<long long>(points_.size());
  for (std::size_t k = 0; k < points_.size(); ++k)
    if (!AddPoint(file, k == 0, points_[k].x, points_[k].y, points_[k].z, track, k == 0 ? opens : 0)) return;
  writer_.EndTrack();
}

int TrackDrawing::FilesFailed() const {
  int count = 0;
  for (bool failed : failed_) count += failed ? 1 : 0;
  return count;
}

bool TrackDrawing::PrepareType(int type, TrackFile& overlay) {
  const auto index = static_cast<std::size_t>(type);
  platform::FileReplacement& file = *files_[index];
  if (!Fast()) {
    file.Write(messages::kVdrawPointsEnd);
    file.Write(messages::kVdrawSend);
  }
  platform::FileReplacement* failed = &file;
  if (file.Prepare()) {
    if (!Fast()) return true;
    // The type's file overlays the plot file from wherever MGED was started.
    std::error_code error;
    std::filesystem::path plot = std::filesystem::absolute(file.Path(), error);
    if (error) plot = file.Path();
    overlay = std::make_unique<platform::FileReplacement>(fileNames_[index]);
    overlay->Write(platform::FormatText(messages::kOverlayLine, TclQuoted(plot.string()).c_str(), type));
    if (overlay->Prepare()) return true;
    failed = overlay.get();
  }
  messages_.push_back({platform::FormatText(messages::kCouldNotWrite, failed->Path().c_str(), failed->Reason().c_str()),
                       {}, platform::MessageIcon::Error});
  return false;
}

void TrackDrawing::CloseFiles() {
  // Every file is made whole before any is put in place: a drawing that
  // cannot be written whole (a full disk) leaves all the older files as they
  // were. A type whose file could not be made at all is only left out.
  std::array<TrackFile, settings::kTrackTypeCount> overlays;
  bool keep = refusal_.empty() && !abandoned_;
  for (std::size_t index = 0; index < files_.size() && keep && !unwritten_; ++index)
    if (files_[index] && !PrepareType(static_cast<int>(index), overlays[index])) unwritten_ = true;
  keep = keep && !unwritten_;
  for (std::size_t index = 0; index < files_.size() && keep && !unwritten_; ++index) {
    for (TrackFile* file : {&files_[index], &overlays[index]}) {
      if (!*file || (*file)->Commit()) continue;
      messages_.push_back({platform::FormatText(messages::kCouldNotWrite, (*file)->Path().c_str(),
                                                (*file)->Reason().c_str()),
                           {}, platform::MessageIcon::Error});
      unwritten_ = true;
    }
  }
  keep = keep && !unwritten_;
  for (std::size_t index = 0; index < files_.size(); ++index) {
    const bool drawn = files_[index] != nullptr;
    files_[index].reset();  // without a commit the older file stays
    overlays[index].reset();
    if (keep || !drawn) continue;
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
