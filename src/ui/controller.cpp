#include "ui/controller.h"

#include "launch/command_line.h"
#include "launch/file_names.h"
#include "platform/paths.h"
#include "settings/colors.h"
#include "settings/message_format.h"
#include "ui/default_parameter_file.h"
#include "ui/messages.h"
#include "ui/open_file_command.h"
#include "ui/set_entry.h"
#include "ui/system_variables.h"
#include "ui/view_angles.h"

namespace tessarin::ui {

Controller::Controller(platform::Host& host, ShellServices& shell, DialogRunner& dialogs, ControllerServices services,
                       ControllerEnvironment environment)
    : host_(host),
      shell_(shell),
      dialogs_(dialogs),
      services_(services),
      environment_(std::move(environment)),
      startButtons_({sets_, current_, working_},
                    {services.processes, services.windows, services.timers, host, services.terminals}, *this,
                    platform::WithTrailingSeparator(environment_.startupDirectory)) {
  environment_.startupDirectory = platform::WithTrailingSeparator(environment_.startupDirectory);
  environment_.programFolder = platform::WithTrailingSeparator(environment_.programFolder);
  // A file named on the command line that cannot be read is worth a message;
  // a missing default file is not.
  if (environment_.parameterFileArgument) {
    parameterFilePath_ = *environment_.parameterFileArgument;
    reportOpenFailure_ = true;
  } else {
    parameterFilePath_ = DefaultParameterFilePath(environment_.programFolder);
  }
  sets_.push_back(settings::DefaultParameterSet());
  trackCaches_.emplace_back();
  working_ = sets_.front();
  SetTitleFromPath();
}

void Controller::Start() { ReadParameterFile(); }

std::vector<std::string> Controller::SetListEntries() const {
  std::vector<std::string> entries;
  for (std::size_t i = 0; i < sets_.size(); ++i) {
    int index = static_cast<int>(i);
    entries.push_back(SetListEntry(index, index == current_ ? working_.name : sets_[i].name));
  }
  return entries;
}

std::string_view Controller::GraphicsToggleCaption() const {
  return graphicsShown_ ? messages::kHideGraphics : messages::kShowGraphics;
}

launch::LaunchContext Controller::Context() const { return {environment_.startupDirectory, current_ + 1}; }

void Controller::SetTitleFromPath() {
  windowTitle_ = std::string(messages::kApplicationName) + " [" + parameterFilePath_ + "]";
}

void Controller::RefreshDerivedNames() {
  launch::LaunchContext context = Context();
  inputBaseName_ = launch::InputBaseName(working_);
  launch::CommandLine built = launch::BuildCommandLine(working_, context);
  commandLine_ = built.text;
  commandLineTooLong_ = built.tooLong;
  rtScriptPath_ = platform::AbsolutePath(launch::RtScriptPath(working_, context), environment_.startupDirectory);
}

void Controller::Changed(bool changed) {
  if (changed) MarkModified();
  RefreshDerivedNames();
}

void Controller::ReportUnexpectedFailure(std::string_view what) {
  host_.ShowMessage(settings::FillMessage(messages::kUnexpectedFailure, {what}), platform::MessageIcon::Error);
}

void Controller::ShowWorkingCopy() {
  RefreshDerivedNames();
  if (shown_) shown_();
}

void Controller::CommitWorkingCopy() { sets_[static_cast<std::size_t>(current_)] = working_; }

void Controller::LoadCurrentIntoWorkingCopy() {
  working_ = sets_[static_cast<std::size_t>(current_)];
  RefreshDerivedNames();
}

void Controller::ResetToDefaults(bool graphicsOnly) { settings::ResetToDefaults(working_, graphicsOnly); }

void Controller::InsertWorkingCopy() {
  if (sets_.empty()) ResetToDefaults(false);
  auto at = static_cast<std::ptrdiff_t>(current_);
  sets_.insert(sets_.begin() + at, working_);
  trackCaches_.insert(trackCaches_.begin() + at, tracks::TRACKSETDATA{});
  startButtons_.OnSetInserted(current_);
}

// --- Fields ---

std::string Controller::Text(TextField field) const { return TextFieldText(working_, field, Context()); }

bool Controller::IsEditable(TextField field) const { return IsTextFieldEditable(working_, field); }

void Controller::Commit(TextField field, std::string_view text) {
  bool changed = CommitTextField(working_, field, text, Context());
  // Another output name means other track data.
  if (changed && field == TextField::OutputSuffix) numberOfTracks_.clear();
  Changed(changed);
}

std::string Controller::Text(NumberField field) const { return NumberFieldText(working_, field); }

void Controller::Commit(NumberField field, std::string_view text) { Changed(CommitNumberField(working_, field, text)); }

void Controller::Step(NumberField angle, int steps) {
  double* value = angle == NumberField::Azimuth     ? &working_.azimuth
                  : angle == NumberField::Elevation ? &working_.elevation
                  : angle == NumberField::Twist     ? &working_.twist
                                                    : nullptr;
  if (!value) return;
  double stepped = angle == NumberField::Elevation ? StepElevation(*value, steps) : StepWrappingAngle(*value, steps);
  bool changed = stepped != *value;
  *value = stepped;
  if (changed) MarkModified();
}

int Controller::State(CheckField field) const { return CheckFieldState(working_, field); }

void Controller::SetState(CheckField field, int state) {
  std::string shownTrackFile = Text(TextField::TrackFile);
  bool changed = SetCheckField(working_, field, state);
  if (changed && field == CheckField::UseCustomTrackFileName) {
    // The name in the field becomes the custom one, to be edited from there.
    if (working_.useCustomTrackFN) working_.TrackFN = shownTrackFile;
    numberOfTracks_.clear();
  }
  // Switching the copy off releases it.
  if (changed && field == CheckField::KeepTrackDataInMemory && state == 0)
    trackCaches_[static_cast<std::size_t>(current_)].Release();
  Changed(changed);
}

std::string Controller::Text(VectorField field, int component) const {
  return VectorCellText(working_, field, component);
}

void Controller::Commit(VectorField field, int component, std::string_view text) {
  Changed(CommitVectorCell(working_, field, component, text));
}

int Controller::ColorIndex(ColorList list) const {
  if (list == ColorList::Material) return 0;
  return ColorListIndex(ListColor(working_, list), list, host_.ButtonFaceColor());
}

void Controller::SelectColor(ColorList list, int entry) {
  if (list == ColorList::Material) return;
  settings::ColorEntry& color = ListColor(working_, list);
  std::optional<settings::ColorEntry> chosen = ColorOfListEntry(entry, list, color, host_);
  if (!chosen || *chosen == color) return;
  color = *chosen;
  MarkModified();
}

std::string Controller::MaterialText(int row, MaterialColumn column) const {
  return MaterialCellText(working_.rows[static_cast<std::size_t>(row)], row, column);
}

int Controller::MaterialColorIndex(int row) const {
  return ColorListIndex(working_.rows[static_cast<std::size_t>(row)].color, ColorList::Material,
                        host_.ButtonFaceColor());
}

void Controller::CommitMaterial(int row, MaterialColumn column, std::string_view text) {
  if (row < 0 || row >= static_cast<int>(working_.rows.size())) return;
  settings::REGIONDATA& edited = working_.rows[static_cast<std::size_t>(row)];
  settings::ColorEntry before = edited.color;
  if (!CommitMaterialCell(edited, column, text)) return;
  paletteUsage_.Remove(before);
  paletteUsage_.Add(edited.color);
  MarkModified();
}

void Controller::SelectMaterialColor(int row, int entry) {
  if (row < 0 || row >= static_cast<int>(working_.rows.size())) return;
  settings::ColorEntry& color = working_.rows[static_cast<std::size_t>(row)].color;
  std::optional<settings::ColorEntry> chosen = ColorOfListEntry(entry, ColorList::Material, color, host_);
  if (!chosen || *chosen == color) return;
  paletteUsage_.Remove(color);
  color = *chosen;
  paletteUsage_.Add(color);
  MarkModified();
}

void Controller::SetMaterialShown(int row, bool shown) {
  if (row < 0 || row >= static_cast<int>(working_.rows.size())) return;
  int& stored = working_.rows[static_cast<std::size_t>(row)].show;
  if (stored == (shown ? 1 : 0)) return;
  stored = shown ? 1 : 0;
  MarkModified();
}

void Controller::CommitSystemVariable(int index, std::string_view text) {
  Changed(ui::CommitSystemVariable(working_, index, text));
}

void Controller::OpenShownFile(TextField field) {
  std::string shown = field == TextField::RtScript ? rtScriptPath_ : Text(field);
  ui::OpenShownFile(shown, environment_.startupDirectory, shell_, host_);
}

void Controller::SetModified(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  if (modifiedChanged_) modifiedChanged_(modified);
}

void Controller::OpenManual(Manual manual) {
  std::string path = ManualPath(environment_.programFolder, manual);
  const OpenOutcome outcome = shell_.OpenDocument(path);
  if (outcome == OpenOutcome::Opened) return;
  if (outcome == OpenOutcome::NoViewer) {
    host_.ShowMessage(settings::FillMessage(messages::kNoPdfViewer, {path}), platform::MessageIcon::Error);
    return;
  }
  std::string message =
      std::string(messages::kManualOpenFailureStart) + path + std::string(messages::kManualOpenFailureEnd);
  if (manual == Manual::Varnholt) message += messages::kVarnholtManualMissing;
  host_.ShowMessage(message, platform::MessageIcon::Error);
}

}  // namespace tessarin::ui
