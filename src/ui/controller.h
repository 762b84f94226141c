#pragma once
// The application controller behind the main window: the list of parameter
// sets, the working copy that every edit changes, the parameter file and the
// commands of the window. The window shows the state read from here and
// forwards every edit and command; every message goes through the host.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launch/launch_context.h"
#include "platform/host.h"
#include "settings/trackset_data.h"
#include "settings/viewparm.h"
#include "ui/check_fields.h"
#include "ui/color_lists.h"
#include "ui/dialog_runner.h"
#include "ui/material_rows.h"
#include "ui/numeric_fields.h"
#include "ui/shell_services.h"
#include "ui/text_fields.h"
#include "ui/vector_fields.h"
#include "ui/watch_lists.h"

namespace tessarin::ui {

struct ControllerEnvironment {
  std::string programFolder;                      // ends with '/'
  std::string startupDirectory;                   // ends with '/'
  std::optional<std::string> parameterFileArgument;  // from the program's command line
};

enum class Manual { Tessarin, Varnholt };

class Controller {
 public:
  Controller(platform::Host& host, ShellServices& shell, DialogRunner& dialogs, ControllerEnvironment environment);

  // Reads the parameter file named at start (or the default one).
  void Start();

  // --- State the window shows ---
  const settings::VIEWPARM& WorkingCopy() const { return working_; }
  const std::vector<settings::VIEWPARM>& Sets() const { return sets_; }
  int CurrentIndex() const { return current_; }
  std::vector<std::string> SetListEntries() const;
  bool IsModified() const { return modified_; }
  const std::string& WindowTitle() const { return windowTitle_; }
  const std::string& ParameterFilePath() const { return parameterFilePath_; }
  bool IsDeleteEnabled() const { return sets_.size() > 1; }
  bool AreGraphicsShown() const { return graphicsShown_; }
  std::string_view GraphicsToggleCaption() const;
  std::string_view ConsoleButtonCaption() const;
  std::string_view MgedButtonCaption() const;
  const std::string& CommandLine() const { return commandLine_; }
  bool IsCommandLineTooLong() const { return commandLineTooLong_; }
  const std::string& InputBaseName() const { return inputBaseName_; }
  const std::string& RtScriptPath() const { return rtScriptPath_; }
  const std::string& NumberOfTracksText() const { return numberOfTracks_; }
  bool OverwritePrompt() const { return overwritePrompt_; }
  void SetOverwritePrompt(bool on) { overwritePrompt_ = on; }
  launch::LaunchContext Context() const;
  const std::string& StartupDirectory() const { return environment_.startupDirectory; }
  platform::Rgb ButtonFaceColor() const { return host_.ButtonFaceColor(); }

  // "&Reload" belongs in the File menu only while there are unsaved changes
  // and the parameter file is open and can be opened for reading and writing.
  bool IsReloadAvailable() const;

  // The program's own console window (opened by the input-file reader).
  bool IsConsoleMenuEnabled() const { return programConsoleExists_; }
  void SetProgramConsoleExists(bool exists) { programConsoleExists_ = exists; }
  void SetReadingInputFile(bool reading) { readingInputFile_ = reading; }

  WatchList& ConsoleWatchList() { return consoleWatch_; }
  WatchList& MgedWatchList() { return mgedWatch_; }

  // --- Field edits (each sets the modified flag when it changes the set) ---
  std::string Text(TextField field) const;
  bool IsEditable(TextField field) const;
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
  bool ResetAll();  // true when the user agreed and the set was reset
  void ToggleGraphics() { graphicsShown_ = !graphicsShown_; }
  void EditCommandLine();
  void ShowSystemVariables() { dialogs_.ShowSystemVariables(); }
  void ShowAbout() { dialogs_.ShowAbout(); }
  void SelectTrackFile();
  void SelectScriptFolder();
  void LocateMged();
  void OpenShownFile(TextField field);

  void OpenParameterFile();
  void ReloadParameterFile();
  bool Save() { return WriteParameterFile(); }
  bool SaveAs();
  // Closing the window (close box, Esc, Exit): false keeps it open.
  bool RequestClose() { return SaveChangesFirst(); }
  void OpenManual(Manual manual);
  void CloseConsoleWindow();

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
  void MarkModified() { modified_ = true; }

 private:
  void ReadParameterFile();
  bool WriteParameterFile();
  void DiscardAllSets();
  bool SaveChangesFirst();
  void LoadCurrentIntoWorkingCopy();
  void RefreshDerivedNames();
  void Changed(bool changed);
  void SetTitleFromPath();

  platform::Host& host_;
  ShellServices& shell_;
  DialogRunner& dialogs_;
  ControllerEnvironment environment_;

  std::vector<settings::VIEWPARM> sets_;
  std::vector<settings::TRACKSETDATA> trackCaches_;
  int current_ = 0;
  settings::VIEWPARM working_;
  bool modified_ = false;
  std::string parameterFilePath_;
  bool parameterFileOpen_ = false;
  bool reportOpenFailure_ = false;
  std::string windowTitle_;
  std::string inputBaseName_;
  std::string commandLine_;
  bool commandLineTooLong_ = false;
  std::string rtScriptPath_;
  std::string numberOfTracks_;
  WatchList consoleWatch_;
  WatchList mgedWatch_;
  bool overwritePrompt_ = true;
  bool graphicsShown_ = true;
  bool programConsoleExists_ = false;
  bool readingInputFile_ = false;
  std::function<void()> shown_;
};

}  // namespace tessarin::ui
