#pragma once
// The application controller behind the main window: the list of parameter
// sets, the working copy that every edit changes, the parameter file and the
// commands of the window. The window shows the state read from here and
// forwards every edit and command; every message goes through the host.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input/geometry_model.h"
#include "input/user_code.h"
#include "launch/launch_context.h"
#include "launch/start_buttons.h"
#include "platform/console.h"
#include "platform/file_stamp.h"
#include "platform/host.h"
#include "platform/windows_clipboard.h"
#include "render/region_rows.h"
#include "tracks/trackset_data.h"
#include "settings/viewparm.h"
#include "ui/check_fields.h"
#include "ui/color_lists.h"
#include "ui/dialog_runner.h"
#include "ui/manual_path.h"
#include "ui/material_rows.h"
#include "ui/numeric_fields.h"
#include "ui/shell_services.h"
#include "ui/text_fields.h"
#include "ui/track_bound_tables.h"
#include "tracks/track_reader.h"
#include "ui/track_data_state.h"
#include "ui/vector_fields.h"

namespace tessarin::ui {

struct ControllerEnvironment {
  std::string programFolder;                      // ends with '/'
  std::string startupDirectory;                   // ends with '/'
  std::optional<std::string> parameterFileArgument;  // from the program's command line
};

// The program's own console, the reader's user-code engine and what the
// start buttons start and watch processes with.
struct ControllerServices {
  platform::Console& console;
  input::UserCodeEngine& engine;
  platform::Processes& processes;
  platform::Windows& windows;
  platform::Timers& timers;
  std::vector<platform::TerminalEmulator> terminals;  // to run the console in, the first one first
  platform::Clipboard* clipboard = nullptr;  // where "Copy to clipboard" puts the RT script
};

class Controller final : private launch::StartButtonsView {
 public:
  Controller(platform::Host& host, ShellServices& shell, DialogRunner& dialogs, ControllerServices services,
             ControllerEnvironment environment);

  // Reads the parameter file named at start (or the default one).
  void Start();

  // --- State the window shows ---
  const settings::VIEWPARM& WorkingCopy() const { return working_; }
  const std::vector<settings::VIEWPARM>& Sets() const { return sets_; }
  int CurrentIndex() const { return current_; }
  std::vector<std::string> SetListEntries() const;
  [[nodiscard]] bool IsModified() const { return modified_; }
  const std::string& WindowTitle() const { return windowTitle_; }
  const std::string& ParameterFilePath() const { return parameterFilePath_; }
  [[nodiscard]] bool IsDeleteEnabled() const { return sets_.size() > 1; }
  [[nodiscard]] bool AreGraphicsShown() const { return graphicsShown_; }
  std::string_view GraphicsToggleCaption() const;
  std::string ConsoleButtonCaption() const { return startButtons_.ConsoleCaption(); }
  std::string MgedButtonCaption() const { return startButtons_.MgedCaption(); }
  const std::string& CommandLine() const { return commandLine_; }
  [[nodiscard]] bool IsCommandLineTooLong() const { return commandLineTooLong_; }
  const std::string& InputBaseName() const { return inputBaseName_; }
  const std::string& RtScriptPath() const { return rtScriptPath_; }
  const std::string& NumberOfTracksText() const { return numberOfTracks_; }
  [[nodiscard]] bool OverwritePrompt() const { return overwritePrompt_; }
  void SetOverwritePrompt(bool on) { overwritePrompt_ = on; }
  launch::LaunchContext Context() const;
  const std::string& StartupDirectory() const { return environment_.startupDirectory; }
  platform::Rgb ButtonFaceColor() const { return host_.ButtonFaceColor(); }

  // "&Reload" belongs in the File menu only while there are unsaved changes
  // and the parameter file is open and can be opened for reading and writing.
  [[nodiscard]] bool IsReloadAvailable() const;

  // The program's own console window (opened by the input-file reader).
  [[nodiscard]] bool IsConsoleMenuEnabled() const { return services_.console.IsOpen(); }
  [[nodiscard]] bool IsReadingInputFile() const { return readingInputFile_; }
  // What the last reading of the input file found ("demo.inp: read without
  // errors: ..."); empty when it did not succeed.
  const std::string& InputReadSummary() const { return inputReadSummary_; }
  // After "Make RT script": which form was written (and for a large readable
  // script about how long MGED will take); empty when none was written.
  const std::string& ScriptFormNote() const { return scriptFormNote_; }
  render::ScriptForm ScriptFormPreference() const { return shell_.ScriptFormPreference(); }
  void SetScriptFormPreference(render::ScriptForm form) { shell_.SetScriptFormPreference(form); }
  const input::GeometryModel& Model() const { return model_; }

  // The start buttons and the processes they watch.
  const launch::ProcessWatch& Watch() const { return startButtons_.Watch(); }
  [[nodiscard]] bool CanResetButton(launch::WatchedProgram program) const { return startButtons_.CanReset(program); }

  // --- Field edits (each sets the modified flag when it changes the set) ---
  std::string Text(TextField field) const;
  [[nodiscard]] bool IsEditable(TextField field) const;
  void Commit(TextField field, std::string_view text);
  std::string Text(NumberField field) const;
  void Commit(NumberField field, std::string_view text);
  void Step(NumberField angle, int steps);  // spin buttons of azimuth, elevation, twist
  int State(CheckField field) const;
  void SetState(CheckField field, int state);
  std::string Text(VectorField field, int component) const;
  void Commit(VectorField field, int component, std::string_view text);
  int ColorIndex(ColorList list) const;
  void SelectColor(ColorList list, int entry);
  std::string MaterialText(int row, MaterialColumn column) const;
  int MaterialColorIndex(int row) const;
  void CommitMaterial(int row, MaterialColumn column, std::string_view text);
  void SelectMaterialColor(int row, int entry);
  void SetMaterialShown(int row, bool shown);
  void CommitSystemVariable(int index, std::string_view text);

  // --- Commands ---
  void SelectParameterSet(int index);
  void NewParameterSet();
  void EditName();
  void DeleteParameterSet();
  [[nodiscard]] bool ResetAll();  // true when the user agreed and the set was reset
  void ToggleGraphics() { graphicsShown_ = !graphicsShown_; }
  void EditCommandLine();
  void ShowSystemVariables() { dialogs_.ShowSystemVariables(); }
  void ShowAbout() { dialogs_.ShowAbout(); }
  void SelectTrackFile();
  void SelectScriptFolder();
  void LocateMged();
  void OpenShownFile(TextField field);
  void LoadInputFile();
  void ReloadInputFile();
  // "Make RT script": re-reads the input file and, when that succeeds, writes
  // the set's RT script.
  void MakeRtScript();
  void StartOrActivateConsole() { startButtons_.StartOrActivateConsole(commandLine_); }
  void StartOrActivateMged() { startButtons_.StartOrActivateMged(); }
  void ResetButton(launch::WatchedProgram program) { startButtons_.ResetButton(program); }
  // A watch timer fired (between commands).
  void TimerTick(std::uint64_t timerId) { startButtons_.TimerTick(timerId); }
  // The window puts the focus into the MGED command-line field.
  void SetFocusMgedCommandLineHandler(std::function<void()> handler) { focusMged_ = std::move(handler); }

  void OpenParameterFile();
  void ReloadParameterFile();
  // Over a file that was read only in part, asks first and offers Save as;
  // over a file that another program changed since it was read or last
  // saved, asks whether to overwrite it, reload it or save under another name.
  [[nodiscard]] bool Save();
  [[nodiscard]] bool SaveAs();
  // The parameter file was not read completely (a format error, or it could
  // not be opened): saving over it would lose what could not be read.
  [[nodiscard]] bool WasReadInPart() const { return parameterFileReadInPart_; }
  // Closing the window (close box, Esc, Exit): false keeps it open.
  [[nodiscard]] bool RequestClose() { return SaveChangesFirst(); }
  void OpenManual(Manual manual);
  void ActivateConsoleWindow();
  void CloseConsoleWindow();
  // At program exit the console goes with the main window.
  void CloseConsoleAtExit();

  // The operations the reader, script writer and dialogs build on.
  // Changes made through EditWorkingCopy reach the window with ShowWorkingCopy.
  settings::VIEWPARM& EditWorkingCopy() { return working_; }
  void ShowWorkingCopy();
  // The window shows the state again whenever ShowWorkingCopy runs; commands
  // it forwards itself are shown anyway.
  void SetWorkingCopyShownHandler(std::function<void()> handler) { shown_ = std::move(handler); }
  void ResetToDefaults(bool graphicsOnly);
  void InsertWorkingCopy();
  void CommitWorkingCopy();
  void MarkModified() { SetModified(true); }
  // The window marks unsaved changes in its title as they come and go.
  void SetModifiedHandler(std::function<void(bool)> handler) { modifiedChanged_ = std::move(handler); }
  // A command stopped by a failure nobody foresaw: says so in a message box.
  void ReportUnexpectedFailure(std::string_view what);

  // --- Track data (controller_tracks.cpp) ---
  void SetTrackReadingRunner(TrackReadingRunner& runner) { tracks_->runner = &runner; }
  [[nodiscard]] bool IsReadingTracks() const { return tracks_->reading.load(std::memory_order_acquire); }
  // False, after the refusal message, while a reading runs.
  [[nodiscard]] bool MayChangeTrackFiltering();
  // "Refresh": counts the tracks the set's filter selects.
  void RefreshNumberOfTracks();
  void DefaultFiltering();
  const tracks::TrackStatistics& LastTrackStatistics() const { return tracks_->statistics; }
  // A reading in counting mode with the given settings into `statistics`
  // (the Track statistics dialog's refresh); the messages are shown.
  void ReadTracksForStatistics(const settings::TrackFilter& filter, const settings::SegmentFilter& segments,
                               bool filterFirst, tracks::TrackStatistics& statistics);
  // The set's copy of the track data was cut short by Stop.
  [[nodiscard]] bool IsTrackCopyIncomplete() const;
  // The filtering tab: each refuses while a reading runs; a change sets the
  // modified flag and blanks "Number of tracks:".
  DisplayUnits Units() const { return {working_.unitEnergy, working_.unitDistance}; }
  std::string TransportBoundText(int row, BoundColumn column) const;
  void CommitTransportBound(int row, BoundColumn column, std::string_view text);
  [[nodiscard]] bool IsTrackTypeIncluded(int type) const { return (working_.filter.originTypeMask >> type) & 1; }
  void SetTrackTypeIncluded(int type, bool included);
  std::string GenerationText(BoundColumn column) const;
  void CommitGeneration(BoundColumn column, std::string_view text);
  // The Track types and colors dialog: the colour list of a type (the named
  // colours and "Custom") and its R, G, B cells (integers 0 to 255).
  int TrackColorIndex(int type) const;
  void SelectTrackColor(int type, int entry);
  void CommitTrackColorComponent(int type, int component, std::string_view text);
  // The statistics dialog's OK: its settings become the set's.
  void AcceptTrackStatisticsSettings(const settings::TrackFilter& filter, const settings::SegmentFilter& segments,
                                     bool filterFirst, DisplayUnits unitsAtOpening);

 private:
  void ReadParameterFile();
  [[nodiscard]] bool WriteParameterFile();
  void DiscardAllSets();
  [[nodiscard]] bool SaveChangesFirst();
  // The parameter file as just read or written, to tell later changes by others.
  void StampParameterFile();
  void LoadCurrentIntoWorkingCopy();
  void RefreshDerivedNames();
  void Changed(bool changed);
  void SetTitleFromPath();
  void SetModified(bool modified);
  void ReadTracks(tracks::TrackReadingRequest request, tracks::TrackStatistics& statistics);
  // Make RT script's reading: the selected tracks go to `sink`; the count is
  // the main window's.
  long long ReadTracksForDrawing(tracks::SelectedTrackSink& sink);
  void FilteringChanged(bool changed);
  void ReadInputFile();
  void RebuildRegionRows();
  void CloseConsole();

  // What the start buttons ask of the window.
  void ClearNumberOfTracks() override { numberOfTracks_.clear(); }
  void BrowseForMged() override { LocateMged(); }
  void FocusMgedCommandLine() override {
    if (focusMged_) focusMged_();
  }

  platform::Host& host_;
  ShellServices& shell_;
  DialogRunner& dialogs_;
  ControllerServices services_;
  ControllerEnvironment environment_;

  std::vector<settings::VIEWPARM> sets_;
  std::vector<tracks::TRACKSETDATA> trackCaches_;
  int current_ = 0;
  settings::VIEWPARM working_;
  bool modified_ = false;
  std::string parameterFilePath_;
  bool parameterFileOpen_ = false;
  bool parameterFileReadInPart_ = false;
  platform::FileStamp parameterFileStamp_;
  bool reportOpenFailure_ = false;
  std::string windowTitle_;
  std::string inputBaseName_;
  std::string commandLine_;
  bool commandLineTooLong_ = false;
  std::string rtScriptPath_;
  std::string numberOfTracks_;
  std::string scriptFormNote_;
  input::GeometryModel model_;
  render::PaletteUsage paletteUsage_;  // follows the colour edits of the Materials table
  std::uint64_t inputReads_ = 0;       // readings of the input file so far
  std::string inputReadSummary_;
  bool overwritePrompt_ = true;
  bool graphicsShown_ = true;
  bool readingInputFile_ = false;
  std::function<void()> shown_;
  std::function<void(bool)> modifiedChanged_;
  std::function<void()> focusMged_;
  std::unique_ptr<TrackDataState> tracks_ = std::make_unique<TrackDataState>();
  // Last: it holds references to the set list, the current index and the
  // working copy.
  launch::StartButtons startButtons_;
};

}  // namespace tessarin::ui
