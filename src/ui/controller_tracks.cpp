// The controller's track commands: "Refresh", "Default filtering", the
// filtering tab's edits and the readings of the Track statistics dialog.

#include "launch/file_names.h"
#include "platform/paths.h"
#include "render/track_files.h"
#include "tracks/messages.h"
#include "settings/colors.h"
#include "tracks/set_reading.h"
#include "ui/controller.h"
#include "ui/field_numbers.h"

namespace tessarin::ui {

bool Controller::MayChangeTrackFiltering() {
  if (!IsReadingTracks()) return true;
  host_.ShowMessage(tracks::messages::kBusyRefusal, platform::MessageIcon::Information);
  return false;
}

void Controller::ReadTracks(tracks::TrackReadingRequest request, tracks::TrackStatistics& statistics) {
  TrackDataState& state = *tracks_;
  tracks::TRACKSETDATA& copy = trackCaches_[static_cast<std::size_t>(current_)];
  state.stop.store(false, std::memory_order_release);
  request.stop = &state.stop;
  tracks::TrackReadingOutcome outcome;
  state.reading.store(true, std::memory_order_release);
  state.runner->Run(
      [&](tracks::ReadingProgress* progress) {
        request.progress = progress;
        outcome = tracks::ReadTracks(request, copy, statistics);
      },
      state.stop);
  state.reading.store(false, std::memory_order_release);
  for (const tracks::ReadingMessage& message : outcome.messages) host_.ShowMessage(message.text, message.icon);
}

void Controller::RefreshNumberOfTracks() {
  if (IsReadingTracks()) return;
  ReadTracks(tracks::RequestForSet(working_, render::SetTrackDataPath(working_, Context()), tracks::SegmentUse::WhenShown),
             tracks_->statistics);
  numberOfTracks_ = std::to_string(tracks_->statistics.tracks);
}

long long Controller::ReadTracksForDrawing(tracks::SelectedTrackSink& sink) {
  tracks::TrackReadingRequest request =
      tracks::RequestForSet(working_, render::SetTrackDataPath(working_, Context()), tracks::SegmentUse::WhenShown);
  request.sink = &sink;
  ReadTracks(request, tracks_->statistics);
  return tracks_->statistics.tracks;
}

void Controller::ReadTracksForStatistics(const settings::TrackFilter& filter, const settings::SegmentFilter& segments,
                                         bool filterFirst, tracks::TrackStatistics& statistics) {
  if (IsReadingTracks()) return;
  if (working_.useCustomTrackFN != 0 && IsBlank(working_.TrackFN)) SelectTrackFile();
  const std::string name = launch::TrackDataFilePath(working_, Context());
  if (IsBlank(name)) {
    statistics.Clear();
    return;
  }
  settings::VIEWPARM set = working_;
  set.filter = filter;
  set.segments = segments;
  set.trackFilteringBeforeSegmentSelection = filterFirst ? 1 : 0;
  tracks::TrackReadingRequest request = tracks::RequestForSet(
      set, platform::AbsolutePath(name, environment_.startupDirectory), tracks::SegmentUse::Always);
  request.segments = &segments;
  ReadTracks(request, statistics);
}

bool Controller::IsTrackCopyIncomplete() const {
  return trackCaches_[static_cast<std::size_t>(current_)].fileSize < 0;
}

void Controller::FilteringChanged(bool changed) {
  if (!changed) return;
  numberOfTracks_.clear();
  MarkModified();
}

void Controller::DefaultFiltering() {
  if (!MayChangeTrackFiltering()) return;
  const bool atDefaults = working_.filter == settings::TrackFilter{} && working_.segments == settings::SegmentFilter{} &&
                          working_.trackFilteringBeforeSegmentSelection != 0;
  if (atDefaults) return;
  working_.filter = settings::TrackFilter{};
  working_.segments = settings::SegmentFilter{};
  working_.trackFilteringBeforeSegmentSelection = 1;
  FilteringChanged(true);
}

std::string Controller::TransportBoundText(int row, BoundColumn column) const {
  return ui::TransportBoundText(working_.filter, row, column, Units());
}

void Controller::CommitTransportBound(int row, BoundColumn column, std::string_view text) {
  if (!MayChangeTrackFiltering()) return;
  FilteringChanged(ui::CommitTransportBound(working_.filter, row, column, text, Units()) == BoundEdit::Changed);
}

void Controller::SetTrackTypeIncluded(int type, bool included) {
  if (!MayChangeTrackFiltering()) return;
  FilteringChanged(ui::SetTrackTypeIncluded(working_.filter, type, included));
}

std::string Controller::GenerationText(BoundColumn column) const {
  return ui::GenerationText(working_.filter, column);
}

void Controller::CommitGeneration(BoundColumn column, std::string_view text) {
  if (!MayChangeTrackFiltering()) return;
  FilteringChanged(ui::CommitGeneration(working_.filter, column, text) == BoundEdit::Changed);
}

void Controller::AcceptTrackStatisticsSettings(const settings::TrackFilter& filter,
                                               const settings::SegmentFilter& segments, bool filterFirst,
                                               DisplayUnits unitsAtOpening) {
  const int order = filterFirst ? 1 : 0;
  const bool changed = working_.filter != filter || working_.segments != segments ||
                       working_.trackFilteringBeforeSegmentSelection != order ||
                       unitsAtOpening.energy != working_.unitEnergy || unitsAtOpening.distance != working_.unitDistance;
  working_.filter = filter;
  working_.segments = segments;
  working_.trackFilteringBeforeSegmentSelection = order;
  FilteringChanged(changed);
  if (IsTrackCopyIncomplete()) numberOfTracks_.clear();
}

}  // namespace tessarin::ui

namespace tessarin::ui {

int Controller::TrackColorIndex(int type) const {
  if (type < 0 || type >= settings::kTrackTypeCount) return 0;
  return ColorListIndex(working_.trackColorRGB[static_cast<std::size_t>(type)], ColorList::Background,
                        host_.ButtonFaceColor());
}

void Controller::SelectTrackColor(int type, int entry) {
  if (type < 0 || type >= settings::kTrackTypeCount || !MayChangeTrackFiltering()) return;
  settings::ColorEntry& color = working_.trackColorRGB[static_cast<std::size_t>(type)];
  // Track colours offer the same names and "Custom" as the background list.
  std::optional<settings::ColorEntry> chosen = ColorOfListEntry(entry, ColorList::Background, color, host_);
  if (!chosen || *chosen == color) return;
  color = *chosen;
  MarkModified();
}

void Controller::CommitTrackColorComponent(int type, int component, std::string_view text) {
  if (type < 0 || type >= settings::kTrackTypeCount || component < 0 || component > 2 || !MayChangeTrackFiltering())
    return;
  std::optional<long long> value = ParseInteger(text);
  if (!value || *value < 0 || *value > 255) return;
  settings::ColorEntry& color = working_.trackColorRGB[static_cast<std::size_t>(type)];
  std::uint8_t& stored = component == 0 ? color.red : component == 1 ? color.green : color.blue;
  if (stored == *value) return;
  stored = static_cast<std::uint8_t>(*value);
  settings::RederiveColorName(color, false);
  MarkModified();
}

}  // namespace tessarin::ui
