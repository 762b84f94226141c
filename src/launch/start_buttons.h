#pragma once
// The "Start Varnholt" and "Start MGED" buttons of the current parameter set.
// A button starts its program, and once the process runs it brings the
// process's window to the front instead, until the process ends or the
// button is reset. The view reads the captions from here.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
  // The terminal emulators to run the console in, the first one first; a
  // terminal that cannot start, or ends with an error at once, makes way for
  // the next one for the rest of the session. Never empty.
  std::vector<platform::TerminalEmulator> terminals;
};

class StartButtons {
 public:
  // The console is this many columns wide.
  static constexpr int kConsoleColumns = 170;
  // A terminal that ends with an error within this many watch periods (two
  // seconds) of its start could not run here. GNOME Terminal without a
  // session bus takes most of a second to give up on a busy machine.
  static constexpr int kEarlyEndTicks = 10;

  StartButtons(WatchedSets sets, StartButtonsPlatform platform, StartButtonsView& view,
               std::string startupDirectory);

  // `commandLine` is the simulator's command line of the working copy.
  void StartOrActivateConsole(const std::string& commandLine);
  void StartOrActivateMged();

  // "Reset this button": offered while the button is in its activate state.
  [[nodiscard]] bool CanReset(WatchedProgram program) const;
  void ResetButton(WatchedProgram program) { watch_.Reset(program); }

  std::string ConsoleCaption() const;
  std::string MgedCaption() const;

  // Forwarded from the controller.
  void TimerTick(std::uint64_t timerId);
  void OnSetDeleted(int index) { watch_.OnSetDeleted(index); }
  void OnSetInserted(int index) { watch_.OnSetInserted(index); }
  void ForgetAll() { watch_.ForgetAll(); }
  const ProcessWatch& Watch() const { return watch_; }

 private:
  // A console just started, watched for a terminal that ends at once.
  struct ConsoleTrial {
    std::uint64_t timerId = 0;
    int processId = 0;
    int setIndex = 0;
    int ticksLeft = kEarlyEndTicks;
    std::string commandLine;
  };

  const platform::TerminalEmulator& Terminal() const { return platform_.terminals[terminal_]; }
  // Moves on to the next terminal; false when there is none.
  [[nodiscard]] bool NextTerminal();
  void StartConsole(const std::string& commandLine);
  void CheckConsoleTrial();
  // Says that the trial's terminal ended with `status`, and starts the
  // console again in the next terminal when there is one.
  void TerminalEndedAtOnce(const ConsoleTrial& trial, int status);
  void ActivateConsole();
  void StartMged();
  void ActivateMged();
  // Reports a start that failed or gave no process id; otherwise watches
  // the process. A console start clears the track count once it has run.
  void WatchStarted(WatchedProgram program, const platform::StartedProcess& started, const std::string& failure,
                    const std::string& missingProcessId);
  // False unless the user wants another instance of a running MGED.
  [[nodiscard]] bool AnotherInstanceWanted(const std::string& fileName);
  // Tells that no window can be activated; true when that is the case.
  [[nodiscard]] bool ActivationUnavailable(const std::string& windowName);
  const settings::ProcessState& State() const { return sets_.workingCopy.process; }

  WatchedSets sets_;
  StartButtonsPlatform platform_;
  StartButtonsView& view_;
  std::string startupDirectory_;
  std::size_t terminal_ = 0;  // the terminal in use
  std::optional<ConsoleTrial> consoleTrial_;
  ProcessWatch watch_;
};

}  // namespace tessarin::launch
