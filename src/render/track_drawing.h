#pragma once
// The track drawing files of an RT script: the reading hands every selected
// track to this sink, which writes it into the file of its particle type as
// one more line of that type's vdraw curve (in the fast form: of its plot
// file, which the type's file overlays), within the per-track and total
// vertex allowances. Runs on the reading's worker thread: it shows nothing,
// it keeps its messages for the caller to show once the reading has ended.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_replacement.h"
#include "render/track_allowance.h"
#include "render/script_form.h"
#include "render/track_point_writer.h"
#include "settings/color_entry.h"
#include "settings/track_types.h"
#include "tracks/reading_progress.h"
#include "tracks/track_reader.h"

namespace tessarin::render {

// The file of type k is the base path followed by its suffix and ".rt".
inline constexpr std::array<std::string_view, settings::kTrackTypeCount> kTrackFileSuffixes{
    "_tracks0_source",     "_tracks1_brems",         "_tracks2_annih",   "_tracks3_x-ray_el",
    "_tracks4_x-ray_phot", "_tracks5_pp_el",         "_tracks6_pp_pos",  "_tracks7_Compton_recoil",
    "_tracks8_photoel",    "_tracks9_Auger_phot",    "_tracks10_Auger_el", "_tracks11_knock-on"};

std::string TrackFileName(const std::string& basePath, int type);

// A new vdraw curve starts with the first track after this many points.
// MGED 7.32.6 sources a million points in curves of 20,000 as fast as in one
// curve, and in a curve of its own a type can still be switched on and off.
inline constexpr long long kPointsPerCurve = 20000;
// The fast form's plot file of type k: the type's file name with ".plot3".
std::string TrackPlotFileName(const std::string& basePath, int type);

struct TrackDrawingSettings {
  std::string basePath;       // the database path without extension
  std::string trackDataPath;  // the track data file, for the older-layout warning
  std::array<settings::ColorEntry, settings::kTrackTypeCount> colors{};
  int nVerticesTrackMax = -1;  // below zero: no limit
  int nVerticesTotalMax = -1;  // below zero: no limit
  bool extendEscapeTracks = true;
  double scale = 1;      // s: MGED centimetres per model centimetre
  double worldSize = 0;  // W, model centimetres
  ScriptForm form = ScriptForm::Readable;  // Fast: plot files overlaid; otherwise vdraw curves
};

using TrackFileNames = std::array<std::string, settings::kTrackTypeCount>;

class TrackDrawing final : public tracks::SelectedTrackSink {
 public:
  explicit TrackDrawing(TrackDrawingSettings settings);
  ~TrackDrawing() override;
  TrackDrawing(const TrackDrawing&) = delete;
  TrackDrawing& operator=(const TrackDrawing&) = delete;

  void Add(const tracks::TrackInput& track, const tracks::SelectedSegment& segment, int layout) override;
  // Ends every open curve and puts the files in place of the older ones:
  // all of them or, when one could not be written whole, none. A type whose
  // file could not be made is left out. The closing messages follow the
  // messages of files that could not be made.
  void Finish() override;
  // Keeps the older files: nothing of this drawing is put in place.
  void Abandon() { abandoned_ = true; }

  // The files made, by type; empty for a type without a file.
  const TrackFileNames& FileNames() const { return fileNames_; }
  const std::vector<tracks::ReadingMessage>& Messages() const { return messages_; }
  // Types left out because their file could not be made or written.
  int FilesFailed() const;
  // A file could not be written whole, so none was put in place.
  [[nodiscard]] bool Unwritten() const { return unwritten_; }
  int TracksSelected() const { return tracksSelected_; }
  int TracksDrawn() const { return allowance_.TracksDrawn(); }
  long long PointsWritten() const { return allowance_.PointsCounted(); }

 private:
  using TrackFile = std::unique_ptr<platform::FileReplacement>;

  [[nodiscard]] bool Fast() const { return settings_.form == ScriptForm::Fast; }
  platform::FileReplacement* FileOfType(int type);
  // The lines that open curve number `curve` (from 1) of a type.
  std::string CurveOpening(int type, std::uint32_t curve) const;
  // Runs on the writer's thread: reads nothing but the settings.
  std::string CurveBreak(int type, std::uint32_t curve) const;
  // Ends the type's drawing and makes its files whole on the disk (the fast
  // form's overlay file in `overlay`); false, with the message, when that
  // failed.
  [[nodiscard]] bool PrepareType(int type, TrackFile& overlay);
  // False, and the drawing refused, when the point is not a finite number
  // of MGED units.
  [[nodiscard]] bool AddPoint(platform::FileReplacement* file, bool first, double x, double y, double z,
                const tracks::TrackInput& track, std::uint32_t opensCurve = 0);
  void CloseFiles();

  TrackDrawingSettings settings_;
  std::array<TrackFile, settings::kTrackTypeCount> files_;
  std::array<bool, settings::kTrackTypeCount> failed_{};
  std::array<long long, settings::kTrackTypeCount> curvePoints_{};  // points in the type's open curve
  std::array<std::uint32_t, settings::kTrackTypeCount> curves_{};   // curves of the type so far
  TrackFileNames fileNames_;
  std::vector<tracks::ReadingMessage> messages_;
  TrackAllowance allowance_;
  std::vector<tracks::TrackVertex> points_;  // reused from track to track
  TrackPointWriter writer_;  // after the files: it finishes writing before they close
  int tracksSelected_ = 0;
  std::string refusal_;  // why no file is kept, when a point could not be drawn
  bool finished_ = false;
  bool abandoned_ = false;
  bool unwritten_ = false;
};

}  // namespace tessarin::render
