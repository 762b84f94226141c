// The input-file commands (Load, Reload) and the program's own console that
// the reader writes to.

#include "input/input_reader.h"
#include "platform/paths.h"
#include "ui/command_question.h"
#include "ui/controller.h"
#include "ui/messages.h"

namespace tessarin::ui {

void Controller::LoadInputFile() {
  const std::string& startup = environment_.startupDirectory;
  std::string current = platform::AbsolutePath(Text(TextField::InputFile), startup);
  std::optional<std::string> chosen = host_.ChooseFileToOpen(
      {std::string(messages::kSelectInputFileTitle), {}, std::string(messages::kTextFileFilter), current, false});
  if (!chosen || chosen->empty()) return;
  if (platform::RelativePath(*chosen, startup, startup) != Text(TextField::InputFile)) MarkModified();
  platform::PathParts parts = platform::SplitPath(platform::NormalizeSeparators(*chosen));
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
  input::InputReadRequest request{working_, Context(), services_.console, model_, services_.engine};
  CommandQuestion commandQuestion(host_);
  request.commandPermission = &commandQuestion;
  input::InputReadResult result = input::ReadInputFile(request);
  readingInputFile_ = false;
  if (result.status == input::InputReadStatus::OpenFailed)
    host_.ShowMessage(result.message, platform::MessageIcon::Error);
  // The reader keeps a console only when there is something to read in it.
  if (services_.console.IsOpen() && !services_.console.HasText()) CloseConsole();
  RefreshDerivedNames();
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
