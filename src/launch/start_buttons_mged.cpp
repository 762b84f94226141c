#include <algorithm>

#include "launch/process_messages.h"
#include "launch/process_watch_windows.h"
#include "launch/program_lookup.h"
#include "launch/run_folders.h"
#include "launch/start_buttons.h"
#include "launch/start_buttons_mged_command.h"
#include "platform/paths.h"
#include "platform/process_command_line.h"
#include "platform/text_case.h"

namespace tessarin::launch {
namespace {

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

}  // namespace

bool StartButtons::AnotherInstanceWanted(const std::string& fileName) {
  std::vector<int> running = platform_.processes.RunningProcesses(kMaxProcesses);
  auto runs = [&](const std::string& name) {
    return std::any_of(running.begin(), running.end(),
                       [&](int processId) { return platform_.processes.HasName(processId, name); });
  };
  std::string runningName;
  const std::string mged(process_messages::kMgedProgramName);
  if (runs(fileName))
    runningName = fileName;
  else if (!platform::EqualsIgnoringCase(fileName, mged) && runs(mged))
    runningName = mged;
  if (runningName.empty()) return true;
  return platform_.host.ShowMessage(process_messages::Format(process_messages::kAlreadyRunning, runningName),
                                    platform::MessageIcon::Question, platform::MessageButtons::YesNoCancel,
                                    platform::MessageAnswer::No) == platform::MessageAnswer::Yes;
}

void StartButtons::StartMged() {
  MgedStartCommand command = SplitMgedStartCommand(sets_.workingCopy.MGEDcmdLine);
  if (IsBlank(platform::SplitPath(command.program).name)) {
    view_.BrowseForMged();
    command = SplitMgedStartCommand(sets_.workingCopy.MGEDcmdLine);
    if (IsBlank(platform::SplitPath(command.program).name)) {
      platform_.host.ShowMessage(process_messages::kMgedNameMissing, platform::MessageIcon::Information);
      view_.FocusMgedCommandLine();
      return;
    }
  }
  const std::string& scriptFolder = sets_.workingCopy.ScriptFolder;
  platform::ProcessStart start;
  start.program = command.program;
  start.arguments = platform::SplitArguments(command.arguments);
  start.directory = IsBlankFolder(scriptFolder) ? startupDirectory_
                                                : platform::AbsolutePath(scriptFolder, startupDirectory_);
  ProgramLookup mged = LookUpMged(platform_.processes, start.program, start.directory);
  if (!mged.found) {
    platform_.host.ShowMessage(MgedNotFoundMessage(mged), platform::MessageIcon::Error);
    return;
  }
  platform::PathParts parts = platform::SplitPath(command.program);
  std::string fileName = parts.name + parts.extension;
  if (!AnotherInstanceWanted(fileName)) return;
  WatchStarted(WatchedProgram::Mged, platform_.processes.Start(start),
               process_messages::Format(process_messages::kProgramStartFailed, fileName),
               std::string(process_messages::kMgedProcessIdMissing));
}

void StartButtons::ActivateMged() {
  const settings::ProcessState& state = State();
  if (!platform_.processes.IsRunning(state.mgedProcessId)) {
    watch_.Reset(WatchedProgram::Mged);
    return;
  }
  const std::string mged(process_messages::kMgedProgramName);
  if (ActivationUnavailable(mged)) return;
  MgedWindows found = FindMgedWindows(platform_.processes, platform_.windows, state.mgedProcessId);
  if (!found.windows.empty()) {
    // The front-most window is activated last, so that it ends up in front.
    for (auto window = found.windows.rbegin(); window != found.windows.rend(); ++window)
      platform_.windows.Activate(*window);
    return;
  }
  if (!state.mgedWindowSeen || !found.children.empty()) {
    platform::MessageAnswer answer =
        platform_.host.ShowMessage(process_messages::Format(process_messages::kMgedNotActivated, mged),
                                   platform::MessageIcon::Information, platform::MessageButtons::YesNo,
                                   platform::MessageAnswer::No);
    if (answer != platform::MessageAnswer::Yes) return;
  }
  watch_.Reset(WatchedProgram::Mged);
}

}  // namespace tessarin::launch
