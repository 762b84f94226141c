#include <unistd.h>

#include <iostream>

#include "app/cli/commands.h"
#include "app/cli/option_names.h"
#include "app/cli/script_form_option.h"
#include "app/cli/selected_set.h"
#include "app/cli/tracks_output.h"
#include "launch/file_names.h"
#include "platform/headless_host.h"
#include "platform/paths.h"
#include "platform/replacement_stream.h"
#include "render/track_files.h"
#include "tracks/set_reading.h"
#include "tracks/vtk_export.h"

namespace tessarin::cli {
namespace {

constexpr CommandDescription kTracks{
    "tracks",
    "Usage: tessarin-cli tracks count|stats|export|draw FILE [--set N] [--json] [-o OUT.vtp]\n"
    "                           [--base PATH] [--form readable|fast|auto]\n"
    "\n"
    "Reads the track data file of a parameter set of the parameter file FILE,\n"
    "filtered as the set says, as the window's \"Refresh\" and \"Track stats\" do.\n"
    "\n"
    "  count    prints the number of selected tracks (the set's filter; its\n"
    "           segment selection when \"Show track segments\" is on)\n"
    "  stats    prints the statistics table of the selected tracks or segments\n"
    "           (the set's filter and segment selection) with its units\n"
    "  export   writes the selected tracks (segments when \"Show track segments\"\n"
    "           is on) as VTK PolyData for ParaView: polylines with the energy\n"
    "           (eV) per point and the type, generation, history and track\n"
    "           number per line\n"
    "  draw     writes the track drawing files that \"Make RT script\" would\n"
    "           write for the set, without the geometry: one file of MGED vdraw\n"
    "           commands per particle type with selected tracks, named PATH\n"
    "           followed by the type's suffix and \".rt\" (for example\n"
    "           PATH_tracks0_source.rt); prints the files written and the\n"
    "           number of selected tracks. Load them into MGED with `source`.\n"
    "           In the fast form each type's file overlays a binary plot file\n"
    "           (PATH, the type's suffix and \".plot3\"), which MGED loads many\n"
    "           times faster than vdraw commands.\n"
    "\n"
    "  --set N   use set N (counting from 1) instead of the file's current set\n"
    "  --json    stats: one JSON object: the four counts, \"messages\" and one\n"
    "            entry per row keyed by its caption, {count, min, max, mean,\n"
    "            stddev, sampleStddev}, null for a blank cell; stddev is the\n"
    "            standard deviation of the mean (the window's \"Std. dev.\"),\n"
    "            sampleStddev the spread of the values (sample standard\n"
    "            deviation, stddev times the square root of count)\n"
    "  -o FILE   export: the .vtp file to write\n"
    "  --base PATH  draw: where the files go (PATH without extension)\n"
    "  --form F  draw: readable (vdraw curves), fast (plot files) or auto (the\n"
    "            default: readable, as for a script of up to 1000 cells)\n"
    "\n"
    "The reader's messages go to standard error. Exit status 1 after a missing\n"
    "file or a format error (what was read is still counted and printed), and\n"
    "when a drawing file could not be written.\n"};

// The caption of the progress dialog, on a terminal only.
class TerminalProgress : public tracks::ReadingProgress {
 public:
  explicit TerminalProgress(std::ostream& err) : err_(err) {}
  ~TerminalProgress() override {
    if (shown_) err_ << "\n";
  }
  void Update(double fraction) override {
    err_ << "\r" << tracks::ProgressCaption(fraction) << std::flush;
    shown_ = true;
  }

 private:
  std::ostream& err_;
  bool shown_ = false;
};

struct TracksReading {
  tracks::TrackStatistics statistics;
  tracks::TrackReadingOutcome outcome;
};

TracksReading ReadSetTracks(const SelectedSet& selected, tracks::SegmentUse use, tracks::SelectedTrackSink* sink,
                            CommandIo& io) {
  const settings::VIEWPARM& set = selected.set();
  const std::string name = launch::TrackDataFilePath(set, selected.Context());
  const std::string path = name.empty() ? name : platform::AbsolutePath(name, selected.startupDirectory);
  tracks::TrackReadingRequest request = tracks::RequestForSet(set, path, use);
  request.sink = sink;
  std::optional<TerminalProgress> progress;
  if (&io.err == &std::cerr && ::isatty(STDERR_FILENO)) request.progress = &progress.emplace(io.err);
  tracks::TRACKSETDATA copy;
  TracksReading reading;
  reading.outcome = tracks::ReadTracks(request, copy, reading.statistics);
  progress.reset();
  for (const tracks::ReadingMessage& message : reading.outcome.messages) io.err << message.text << "\n";
  return reading;
}

int ReadingExitCode(const tracks::TrackReadingOutcome& outcome) {
  return outcome.missingFile || outcome.formatError ? kExitFailure : kExitSuccess;
}

int RunStats(const SelectedSet& selected, bool json, CommandIo& io) {
  TracksReading reading = ReadSetTracks(selected, tracks::SegmentUse::Always, nullptr, io);
  const settings::VIEWPARM& set = selected.set();
  TrackStatisticsReport report{reading.statistics,
                               tracks::MakeStatisticsTable(reading.statistics, set.unitEnergy, set.unitDistance,
                                                           &set.segments),
                               {}};
  for (const tracks::ReadingMessage& message : reading.outcome.messages) report.messages.push_back(message.text);
  if (json) PrintStatisticsJson(report, io.out);
  else PrintStatisticsText(report, io.out);
  return ReadingExitCode(reading.outcome);
}

int RunExport(const SelectedSet& selected, const std::string& output, CommandIo& io) {
  tracks::PolyDataExport exporter(selected.set().showTrackSegments != 0);
  TracksReading reading = ReadSetTracks(selected, tracks::SegmentUse::WhenShown, &exporter, io);
  // A reading that failed leaves an older export as it was, as does one
  // that cannot be written whole.
  if (const int failed = ReadingExitCode(reading.outcome); failed != kExitSuccess) {
    io.err << "tessarin-cli tracks: \"" << output << "\" has not been written\n";
    return failed;
  }
  platform::FileReplacement file(output);
  platform::ReplacementStream stream(file);
  if (file.Failed() || !exporter.Write(stream) || !file.Commit()) {
    io.err << "tessarin-cli tracks: cannot write \"" << output << "\": " << file.Reason() << "\n";
    return kExitFailure;
  }
  io.out << exporter.Lines() << " tracks written to " << output << "\n";
  return kExitSuccess;
}

int RunDraw(const SelectedSet& selected, const std::string& basePath, render::ScriptForm form, CommandIo& io) {
  const settings::VIEWPARM& set = selected.set();
  platform::HeadlessHost host(io.err);
  render::TrackDrawingSettings settings =
      render::DrawingSettingsForSet(set, platform::AbsolutePath(basePath, selected.startupDirectory),
                                    render::SetTrackDataPath(set, selected.Context()));
  // Without a model there are no cells to count: auto draws as for a small one.
  settings.form = render::ResolveScriptForm(form, 0);
  int readingExitCode = kExitSuccess;
  const render::TrackFilesResult result = render::WriteTrackFiles(
      settings,
      [&](tracks::SelectedTrackSink& sink) {
        TracksReading reading = ReadSetTracks(selected, tracks::SegmentUse::WhenShown, &sink, io);
        readingExitCode = ReadingExitCode(reading.outcome);
        // A reading that failed leaves the older drawing files as they were.
        return render::TracksForDrawing(static_cast<long long>(reading.statistics.tracks),
                                        readingExitCode == kExitSuccess);
      },
      host);
  for (const std::string& file : result.files)
    if (!file.empty()) io.out << file << "\n";
  io.out << result.selectedTracks << " tracks selected\n";
  return result.filesFailed > 0 ? kExitFailure : readingExitCode;
}

}  // namespace

int RunTracksCommand(const std::vector<std::string>& args, CommandIo& io) {
  ArgumentSpec spec;
  spec.minPositional = 2;
  spec.maxPositional = 2;
  spec.flags.insert(kJsonFlag);
  spec.valueOptions.insert(kSetOption);
  spec.valueOptions.insert(kOutputOption);
  spec.valueOptions.insert(kBaseOption);
  spec.valueOptions.insert(kFormOption);
  CommandStep<ParsedArguments> arguments = ParseCommandArguments(args, spec, kTracks, io);
  if (!arguments) return arguments.ExitCode();
  const std::string& action = arguments->positional[0];
  if (action != "count" && action != "stats" && action != "export" && action != "draw") {
    ReportUsageError(kTracks, "unknown action '" + action + "'", io);
    return kExitUsage;
  }
  if (arguments->Has(kJsonFlag) && action != "stats") {
    ReportUsageError(kTracks, "--json belongs to 'stats'", io);
    return kExitUsage;
  }
  std::optional<std::string> output = arguments->Value(kOutputOption);
  if (output.has_value() != (action == "export")) {
    ReportUsageError(kTracks, action == "export" ? "export needs -o FILE" : "-o belongs to 'export'", io);
    return kExitUsage;
  }
  std::optional<std::string> base = arguments->Value(kBaseOption);
  if (base.has_value() != (action == "draw")) {
    ReportUsageError(kTracks, action == "draw" ? "draw needs --base PATH" : "--base belongs to 'draw'", io);
    return kExitUsage;
  }
  if (arguments->Value(kFormOption) && action != "draw") {
    ReportUsageError(kTracks, "--form belongs to 'draw'", io);
    return kExitUsage;
  }
  const std::optional<render::ScriptForm> form =
      ReadScriptFormOption(*arguments, render::ScriptForm::Auto, kTracks, io);
  if (!form) return kExitUsage;
  CommandStep<SelectedSet> selected =
      LoadSelectedSet(arguments->positional[1], arguments->Value(kSetOption), kTracks, io);
  if (!selected) return selected.ExitCode();
  if (action == "stats") return selected->ExitCode(RunStats(*selected, arguments->Has(kJsonFlag), io));
  if (action == "export") return selected->ExitCode(RunExport(*selected, *output, io));
  if (action == "draw") return selected->ExitCode(RunDraw(*selected, *base, *form, io));
  TracksReading reading = ReadSetTracks(*selected, tracks::SegmentUse::WhenShown, nullptr, io);
  io.out << reading.statistics.tracks << "\n";
  return selected->ExitCode(ReadingExitCode(reading.outcome));
}

}  // namespace tessarin::cli
