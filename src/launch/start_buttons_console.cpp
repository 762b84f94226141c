#include "launch/process_messages.h"
#include "launch/process_watch_windows.h"
#include "launch/run_folders.h"
#include "launch/simulator_lookup.h"
#include "launch/start_buttons.h"
#include "platform/process_command_line.h"

namespace tessarin::launch {

void StartButtons::StartConsole(const std::string& commandLine) {
  const platform::TerminalEmulator& terminal = platform_.terminal;
  std::string directory = ConsoleDirectory(sets_.workingCopy, startupDirectory_);
  SimulatorLookup simulator = LookUpSimulator(platform_.processes, commandLine, directory);
  if (!simulator.found) {
    platform_.host.ShowMessage(SimulatorNotFoundMessage(simulator), platform::MessageIcon::Error);
    return;
  }
  platform::ProcessStart start = platform::TerminalStart(terminal, commandLine, directory, kConsoleColumns);
  platform::StartedProcess started = platform_.processes.Start(start);
  std::string command = terminal.name + " " + platform::JoinForShell(start.arguments);
  WatchStarted(WatchedProgram::Console, started,
               process_messages::Format(process_messages::kConsoleStartFailed, command),
               process_messages::Format(process_messages::kConsoleProcessIdMissing, terminal.name));
}

void StartButtons::ActivateConsole() {
  const settings::ProcessState& state = State();
  if (!platform_.processes.IsRunning(state.consoleProcessId)) {
    watch_.Reset(WatchedProgram::Console);
    return;
  }
  if (ActivationUnavailable(platform_.terminal.name)) return;
  ConsoleWindow console =
      FindConsoleWindow(platform_.processes, platform_.windows, state.consoleProcessId, platform_.terminal.name);
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
  platform_.host.ShowMessage(
      process_messages::Format(process_messages::kConsoleWindowNotYetCreated, platform_.terminal.name),
      platform::MessageIcon::Information);
}

}  // namespace tessarin::launch
