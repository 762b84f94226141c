#include "launch/start_buttons.h"

#include "launch/process_messages.h"

namespace tessarin::launch {

StartButtons::StartButtons(WatchedSets sets, StartButtonsPlatform platform, StartButtonsView& view,
                           std::string startupDirectory)
    : sets_(sets),
      platform_(std::move(platform)),
      view_(view),
      startupDirectory_(std::move(startupDirectory)),
      watch_(sets, platform_.processes, platform_.windows, platform_.timers,
             platform_.terminals.empty() ? std::string() : Terminal().name) {
  if (platform_.terminals.empty()) {
    platform_.terminals.push_back(platform::DescribeTerminalEmulator("xterm"));
    watch_.SetConsoleName(Terminal().name);
  }
}

bool StartButtons::CanReset(WatchedProgram program) const {
  return (program == WatchedProgram::Console ? State().consoleProcessId : State().mgedProcessId) != 0;
}

std::string StartButtons::ConsoleCaption() const {
  if (State().consoleProcessId == 0) return std::string(process_messages::kStartConsole);
  return process_messages::Format(process_messages::kActivateConsole, Terminal().name);
}

std::string StartButtons::MgedCaption() const {
  return std::string(State().mgedProcessId == 0 ? process_messages::kStartMged : process_messages::kActivateMged);
}

void StartButtons::StartOrActivateConsole(const std::string& commandLine) {
  if (State().consoleProcessId != 0)
    ActivateConsole();
  else
    StartConsole(commandLine);
}

void StartButtons::TimerTick(std::uint64_t timerId) {
  watch_.TimerTick(timerId);
  if (consoleTrial_ && consoleTrial_->timerId == timerId) CheckConsoleTrial();
}

void StartButtons::StartOrActivateMged() {
  if (State().mgedProcessId != 0)
    ActivateMged();
  else
    StartMged();
}

void StartButtons::WatchStarted(WatchedProgram program, const platform::StartedProcess& started,
                                const std::string& failure, const std::string& missingProcessId) {
  if (!started.started) {
    platform_.host.ShowMessage(failure, platform::MessageIcon::Error);
    return;
  }
  if (program == WatchedProgram::Console) view_.ClearNumberOfTracks();
  if (started.processId == 0) {
    platform_.host.ShowMessage(missingProcessId, platform::MessageIcon::Warning);
    return;
  }
  watch_.Watch(program, started.processId);
}

bool StartButtons::ActivationUnavailable(const std::string& windowName) {
  if (platform_.windows.Available()) return false;
  platform_.host.ShowMessage(process_messages::Format(process_messages::kActivationUnavailable, windowName),
                             platform::MessageIcon::Information);
  return true;
}

}  // namespace tessarin::launch
