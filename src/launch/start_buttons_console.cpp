#include "launch/process_messages.h"
#include "launch/process_watch_windows.h"
#include "launch/program_lookup.h"
#include "launch/run_folders.h"
#include "launch/start_buttons.h"
#include "platform/process_command_line.h"
#include "settings/message_format.h"

namespace tessarin::launch {

bool StartButtons::NextTerminal() {
  if (terminal_ + 1 >= platform_.terminals.size()) return false;
  ++terminal_;
  watch_.SetConsoleName(Terminal().name);
  return true;
}

void StartButtons::StartConsole(const std::string& commandLine) {
  std::string directory = ConsoleDirectory(sets_.workingCopy, startupDirectory_);
  ProgramLookup simulator = LookUpSimulator(platform_.processes, commandLine, directory);
  if (!simulator.found) {
    platform_.host.ShowMessage(SimulatorNotFoundMessage(simulator), platform::MessageIcon::Error);
    return;
  }
  const platform::TerminalEmulator terminal = Terminal();
  platform::ProcessStart start = platform::TerminalStart(terminal, commandLine, directory, kConsoleColumns);
  platform::StartedProcess started = platform_.processes.Start(start);
  std::string failure = process_messages::Format(process_messages::kConsoleStartFailed,
                                                 terminal.name + " " + platform::JoinForShell(start.arguments));
  // Each failure moves on by one terminal, so this ends.
  if (!started.started && NextTerminal()) {
    platform_.host.ShowMessage(
        failure + " " + process_messages::Format(process_messages::kTryingNextTerminal, Terminal().name),
        platform::MessageIcon::Warning);
    StartConsole(commandLine);
    return;
  }
  WatchStarted(WatchedProgram::Console, started, failure,
               process_messages::Format(process_messages::kConsoleProcessIdMissing, terminal.name));
  if (started.started && started.processId != 0)
    consoleTrial_ =
        ConsoleTrial{State().consoleTimerId, started.processId, sets_.currentIndex, kEarlyEndTicks, commandLine};
}

void StartButtons::CheckConsoleTrial() {
  // A terminal whose window appeared has started, however soon it ends
  // (its user may close it, or the simulator end at once).
  if (sets_.currentIndex == consoleTrial_->setIndex && State().consoleProcessId == consoleTrial_->processId &&
      State().consoleWindowSeen) {
    consoleTrial_.reset();
    return;
  }
  std::optional<int> status = platform_.processes.ExitStatus(consoleTrial_->processId);
  if (!status) {
    if (--consoleTrial_->ticksLeft <= 0) consoleTrial_.reset();  // still there after two seconds: it works
    return;
  }
  ConsoleTrial trial = std::move(*consoleTrial_);
  consoleTrial_.reset();
  // A launcher that hands its window to a server ends at once too, but
  // without an error.
  if (*status != 0) TerminalEndedAtOnce(trial, *status);
}

void StartButtons::TerminalEndedAtOnce(const ConsoleTrial& trial, int status) {
  const bool current = sets_.currentIndex == trial.setIndex;
  if (current && State().consoleProcessId == trial.processId) watch_.Reset(WatchedProgram::Console);
  std::string message =
      settings::FillMessage(process_messages::kTerminalEndedAtOnce, {Terminal().name, std::to_string(status)});
  if (!NextTerminal()) {
    platform_.host.ShowMessage(message + " " + std::string(process_messages::kNoOtherTerminal),
                               platform::MessageIcon::Error);
    return;
  }
  platform_.host.ShowMessage(
      message + " " + process_messages::Format(process_messages::kTryingNextTerminal, Terminal().name),
      platform::MessageIcon::Warning);
  // Another set may have become current meanwhile, or its console been started again.
  if (current && State().consoleProcessId == 0) StartConsole(trial.commandLine);
}

void StartButtons::ActivateConsole() {
  const settings::ProcessState& state = State();
  if (!platform_.processes.IsRunning(state.consoleProcessId)) {
    watch_.Reset(WatchedProgram::Console);
    return;
  }
  if (ActivationUnavailable(Terminal().name)) return;
  ConsoleWindow console =
      FindConsoleWindow(platform_.processes, platform_.windows, state.consoleProcessId, Terminal().name);
  if (console.found) {
    if (console.isConsole)
      platform_.windows.Activate(console.window);
    else
      watch_.Reset(WatchedProgram::Console);
    return;
  }
  if (state.consoleWindowSeen) {
    watch_.Reset(WatchedProgram::Console);
    return;
  }
  platform_.host.ShowMessage(process_messages::Format(process_messages::kConsoleWindowNotYetCreated, Terminal().name),
                             platform::MessageIcon::Information);
}

}  // namespace tessarin::launch
