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
#include "settings/trackset_data.h"

namespace tessarin::render {

namespace {

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

std::string TrackPlotFileName(const std::string& basePath, int type) {
  return basePath + std::string(kTrackFileSuffixes[static_cast<std::size_t>(type)]) + ".plot3";
}

TrackDrawing::TrackDrawing(TrackDrawingSettings settings)
    : settings_(std::move(settings)),
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
    messages_.push_back(
        {platform::FormatText(messages::kCouldNotOpen, dataPath.c_str()), {}, platform::MessageIcon::Error});
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
  if (limitReached_ || finished_ || !refusal_.empty()) return;
  const int vertexCount = static_cast<int>(track.vertices.size());
  if (track.type < 0 || track.type >= settings::kTrackTypeCount || vertexCount < 1) return;
  const bool escaped = DrawnAsEscaped(track, layout);
  const TrackPointPlan plan = PlanTrackPoints(segment, vertexCount, escaped, settings_.nVerticesTrackMax);
  if (plan.first < 0 || plan.last >= vertexCount || plan.lastDrawn < plan.first - 1) return;
  if (settings_.nVerticesTotalMax >= 0 && settings_.nVerticesTotalMax - pointsWritten_ < plan.allowance) {
    limitReached_ = true;
    return;
  }
  platform::FileReplacement* file = FileOfType(track.type);
  if (file == nullptr) return;

  const auto index = static_cast<std::size_t>(track.type);
  std::uint32_t opens = 0;
  if (!Fast() && curvePoints_[index] >= kPointsPerCurve) {
    opens = ++curves_[index];
    curvePoints_[index] = 0;
  }
  curvePoints_[index] += plan.allowance;
  const settings::TrackVertex& start = segment.interpolatedStart ? segment.start : track.vertices[plan.first];
  if (!AddPoint(file, true, start.x, start.y, start.z, track, opens)) return;
  DrawnVertices(plan, vertexIndices_);
  for (int index : vertexIndices_) {
    const settings::TrackVertex& vertex = track.vertices[static_cast<std::size_t>(index)];
    if (!AddPoint(file, false, vertex.x, vertex.y, vertex.z, track)) return;
  }
  if (segment.interpolatedEnd && !AddPoint(file, false, segment.end.x, segment.end.y, segment.end.z, track)) return;
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
      if (!AddPoint(file, false, last.x + reach * dx, last.y + reach * dy, last.z + reach * dz, track)) return;
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

bool TrackDrawing::CommitType(int type) {
  const auto index = static_cast<std::size_t>(type);
  platform::FileReplacement& file = *files_[index];
  if (!Fast()) {
    file.Write(messages::kVdrawPointsEnd);
    file.Write(messages::kVdrawSend);
  }
  std::string failedPath = file.Path();
  std::string reason;
  if (file.Commit()) {
    if (!Fast()) return true;
    // The plot file is in place: the type's file overlays it from wherever
    // MGED was started.
    std::error_code error;
    std::filesystem::path plot = std::filesystem::absolute(file.Path(), error);
    if (error) plot = file.Path();
    const std::string overlay =
        platform::FormatText(messages::kOverlayLine, TclQuoted(plot.string()).c_str(), type);
    if (platform::ReplaceFile(fileNames_[index], overlay, &reason)) return true;
    failedPath = fileNames_[index];
  } else {
    reason = file.Reason();
  }
  messages_.push_back({platform::FormatText(messages::kCouldNotWrite, failedPath.c_str(), reason.c_str()), {},
                       platform::MessageIcon::Error});
  return false;
}

void TrackDrawing::CloseFiles() {
  for (std::size_t index = 0; index < files_.size(); ++index) {
    TrackFile& file = files_[index];
    if (!file) continue;
    const bool kept = refusal_.empty() && CommitType(static_cast<int>(index));
    file.reset();  // without a commit the older file stays
    if (kept) continue;
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
