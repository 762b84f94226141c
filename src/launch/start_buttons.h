#pragma once
// The "Start Varnholt" and "Start MGED" buttons of the current parameter set.
// A button starts its program, and once the process runs it brings the
// process's window to the front instead, until the process ends or the
// button is reset. The view reads the captions from here.

#include <cstdint>
#include <string>

#include "launch/process_watch.h"
#include "platform/host.h"
#include "platform/process.h"
#include "platform/process_terminal.h"
#include "platform/timers.h"
#include "platform/windows.h"

namespace tessarin::launch {

// What the buttons ask of the main window.
class StartButtonsView {
 public:
  virtual ~StartButtonsView() = default;
  virtual void ClearNumberOfTracks() = 0;
  // The MGED browse command; it may change the working copy's MGEDcmdLine.
  virtual void BrowseForMged() = 0;
  // Puts the focus into the MGED command-line field with all text selected.
  virtual void FocusMgedCommandLine() = 0;
};

struct StartButtonsPlatform {
  platform::Processes& processes;
  platform::Windows& windows;
  platform::Timers& timers;
  platform::Host& host;
  platform::TerminalEmulator terminal;
};

class StartButtons {
 public:
  // The console is this many columns wide.
  static constexpr int kConsoleColumns = 170;

  StartButtons(WatchedSets sets, StartButtonsPlatform platform, StartButtonsView& view,
               std::string startupDirectory);

  // `commandLine` is the simulator's command line of the working copy.
  void StartOrActivateConsole(const std::string& commandLine);
  void StartOrActivateMged();

  // "Reset this button": offered while the button is in its activate state.
  bool CanReset(WatchedProgram program) const;
  void ResetButton(WatchedProgram program) { watch_.Reset(program); }

  std::string ConsoleCaption() const;
  std::string MgedCaption() const;

  // Forwarded from the controller.
  void TimerTick(std::uint64_t timerId) { watch_.TimerTick(timerId); }
  void OnSetDeleted(int index) { watch_.OnSetDeleted(index); }
  void OnSetInserted(int index) { watch_.OnSetInserted(index); }
  void ForgetAll() { watch_.ForgetAll(); }
  const ProcessWatch& Watch() const { return watch_; }

 private:
  void StartConsole(const std::string& commandLine);
  void ActivateConsole();
  void StartMged();
  void ActivateMged();
  // Reports a start that failed or gave no process id; otherwise watches
  // the process. A console start clears the track count once it has run.
  void WatchStarted(WatchedProgram program, const platform::StartedProcess& started, const std::string& failure,
                    const std::string& missingProcessId);
  // False unless the user wants another instance of a running MGED.
  bool AnotherInstanceWanted(const std::string& fileName);
  // Tells that no window can be activated; true when that is the case.
  bool ActivationUnavailable(const std::string& windowName);
  const settings::ProcessState& State() const { return sets_.workingCopy.process; }

  WatchedSets sets_;
  StartButtonsPlatform platform_;
  StartButtonsView& view_;
  std::string startupDirectory_;
  ProcessWatch watch_;
};

}  // namespace tessarin::launch
