// The input-file commands (Load, Reload) and the program's own console that
// the reader writes to.

#include <exception>
#include <optional>

#include "input/input_reader.h"
#include "platform/paths.h"
#include "render/empty_cells.h"
#include "render/rt_script.h"
#include "ui/controller.h"
#include "ui/messages.h"
#include "ui/reading_questions.h"

namespace tessarin::ui {

void Controller::LoadInputFile() {
  const std::string& startup = environment_.startupDirectory;
  std::string current = platform::AbsolutePath(Text(TextField::InputFile), startup);
  std::optional<std::string> chosen = host_.ChooseFileToOpen(
      {std::string(messages::kSelectInputFileTitle), {}, std::string(messages::kInputFileFilter), current, false});
  if (!chosen || chosen->empty()) return;
  if (platform::RelativePath(*chosen, startup, startup) != Text(TextField::InputFile)) MarkModified();
  platform::PathParts parts = platform::SplitPath(*chosen);
  working_.InputFileFolder = parts.folder;
  working_.InputFN = parts.name + parts.extension;
  RefreshDerivedNames();
  ReadInputFile();
}

void Controller::ReloadInputFile() {
  if (working_.InputFN.empty()) {
    LoadInputFile();
    return;
  }
  ReadInputFile();
  if (!working_.checkSyntax_Tessarin)
    host_.ShowMessage(messages::kCheckSyntaxNeeded, platform::MessageIcon::Information);
}

void Controller::ReadInputFile() {
  if (readingInputFile_) return;  // the console's key polling lets events in
  readingInputFile_ = true;
  ++inputReads_;
  input::InputReadRequest request{working_, Context(), services_.console, model_, services_.engine};
  CommandQuestion commandQuestion(host_);
  request.commandPermission = &commandQuestion;
  FileQuestion fileQuestion(host_);
  request.filePermission = &fileQuestion;
  input::InputReadResult result;
  std::optional<std::string> failure;
  // The read touches the file system and runs the user's programs: whatever
  // it throws ends this read, not the program, and the model stays unloaded.
  try {
    result = input::ReadInputFile(request);
  } catch (const std::exception& error) {
    failure = error.what();
  } catch (...) {
    failure = "unknown exception";
  }
  readingInputFile_ = false;
  inputReadSummary_ = failure ? std::string() : result.summary;
  if (failure) {
    model_.loaded = false;
    services_.console.SetCloseEnabled(true);
    ReportUnexpectedFailure(*failure);
  }
  if (result.status == input::InputReadStatus::OpenFailed)
    host_.ShowMessage(result.message, platform::MessageIcon::Error);
  // The reader keeps a console only when there is something to read in it.
  if (services_.console.IsOpen() && !services_.console.HasText()) CloseConsole();
  RefreshDerivedNames();
  if (model_.loaded) RebuildRegionRows();
}

void Controller::RebuildRegionRows() {
  // The rows may have changed wholesale since the last count (another set,
  // Reset all, a parameter file), so the count starts from them.
  paletteUsage_.CountRows(working_.rows);
  if (render::RebuildRegionRows(model_, working_, paletteUsage_)) MarkModified();
}

void Controller::MakeRtScript() {
  // A cancelled file chooser reads nothing: the model may then still be one
  // another set read.
  std::uint64_t readsBefore = inputReads_;
  scriptFormNote_.clear();
  ReloadInputFile();
  if (inputReads_ == readsBefore || !model_.loaded) return;
  render::RtScriptRequest request{model_, working_, Context(), rtScriptPath_, inputBaseName_, overwritePrompt_, host_,
                                  services_.clipboard};
  request.readTracks = [this](tracks::SelectedTrackSink& sink) { return ReadTracksForDrawing(sink); };
  request.form = shell_.ScriptFormPreference();
  request.askAboutLinks = true;
  const render::RtScriptResult result = render::WriteRtScript(request);
  if (result.outcome == render::RtScriptOutcome::Written)
    scriptFormNote_ = render::ScriptFormSummary(result.form, result.cells);
  if (result.selectedTracks) numberOfTracks_ = std::to_string(*result.selectedTracks);
  if (result.trackDataMissing) {
    // Nothing was read: what a file read earlier counted no longer holds.
    numberOfTracks_.clear();
    tracks_->statistics.Clear();
  }
  if (const std::string empty = render::EmptyCellsWarning(result.emptyCells); !empty.empty())
    host_.ShowMessage(empty, platform::MessageIcon::Warning);
}

void Controller::ActivateConsoleWindow() {
  if (services_.console.IsOpen()) services_.console.Open();
}

void Controller::CloseConsoleWindow() {
  if (!services_.console.IsOpen()) return;
  if (readingInputFile_) {
    host_.ShowMessage(messages::kConsoleBusy, platform::MessageIcon::Information);
    return;
  }
  CloseConsole();
}

void Controller::CloseConsoleAtExit() {
  if (services_.console.IsOpen()) CloseConsole();
}

void Controller::CloseConsole() {
  services_.console.Hide();
  services_.console.Close();
}

}  // namespace tessarin::ui
