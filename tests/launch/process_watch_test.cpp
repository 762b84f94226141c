#include "launch/process_watch.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "launch/start_buttons.h"
#include "platform/process_scripted.h"
#include "platform/scripted_host.h"
#include "platform/timers.h"
#include "platform/windows_scripted.h"

namespace tessarin::launch {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

// Terminals known by the names they are started by.
std::vector<platform::TerminalEmulator> Terminals(std::initializer_list<const char*> names) {
  std::vector<platform::TerminalEmulator> terminals;
  for (const char* name : names) terminals.push_back({name, name});
  return terminals;
}

struct RecordingView final : StartButtonsView {
  void ClearNumberOfTracks() override { ++tracksCleared; }
  void BrowseForMged() override { ++browsed; }
  void FocusMgedCommandLine() override { ++focused; }
  int tracksCleared = 0;
  int browsed = 0;
  int focused = 0;
};

// Two parameter sets and the controller's part: the current index and the
// working copy, committed back when another set is selected.
class StartButtonsTest : public ::testing::Test {
 protected:
  StartButtonsTest()
      : sets_{settings::DefaultParameterSet(), settings::DefaultParameterSet()},
        working_(sets_[0]),
        buttons_({sets_, current_, working_}, {processes_, windows_, timers_, host_, Terminals({"xterm"})}, view_,
                 "/start/") {}

  void Select(int index) {
    sets_[static_cast<std::size_t>(current_)] = working_;
    current_ = index;
    working_ = sets_[static_cast<std::size_t>(index)];
  }
  void DeleteCurrent() {
    sets_.erase(sets_.begin() + current_);
    buttons_.OnSetDeleted(current_);
    current_ = std::min(current_, static_cast<int>(sets_.size()) - 1);
    working_ = sets_[static_cast<std::size_t>(current_)];
  }
  void TickAll() {
    std::map<std::uint64_t, std::chrono::milliseconds> running = timers_.running;
    for (const auto& [id, period] : running) buttons_.TimerTick(id);
  }
  int StartConsole(const std::string& commandLine = "Varnholt in a.txt") {
    buttons_.StartOrActivateConsole(commandLine);
    return working_.process.consoleProcessId;
  }
  int StartMged() {
    buttons_.StartOrActivateMged();
    return working_.process.mgedProcessId;
  }
  const std::string& LastMessage() const { return host_.messages.back().text; }

  std::vector<settings::VIEWPARM> sets_;
  int current_ = 0;
  settings::VIEWPARM working_;
  platform::ScriptedProcesses processes_;
  platform::ScriptedWindows windows_;
  platform::RecordingTimers timers_;
  platform::ScriptedHost host_;
  RecordingView view_;
  StartButtons buttons_;
};

TEST_F(StartButtonsTest, StartingTheConsoleWatchesItsProcess) {
  working_.cmdFolderOption = 3;
  working_.cmdFolder = "runs";
  EXPECT_EQ(buttons_.ConsoleCaption(), "Start Varnholt");
  EXPECT_FALSE(buttons_.CanReset(WatchedProgram::Console));
  int id = StartConsole("Varnholt tasks 4");
  ASSERT_EQ(processes_.starts.size(), 1u);
  const platform::ProcessStart& start = processes_.starts[0];
  EXPECT_EQ(start.program, "xterm");
  EXPECT_EQ(start.directory, "/start/runs/");
  EXPECT_EQ(start.arguments.back(), "Varnholt tasks 4");
  EXPECT_EQ(view_.tracksCleared, 1);
  EXPECT_TRUE(host_.messages.empty());

  EXPECT_EQ(buttons_.ConsoleCaption(), "Activate the xterm window");
  EXPECT_TRUE(buttons_.CanReset(WatchedProgram::Console));
  settings::ProcessState expected;
  expected.consoleProcessId = id;
  expected.consoleTimerId = 1;
  expected.consoleListPosition = 0;
  EXPECT_EQ(working_.process, expected);
  EXPECT_EQ(sets_[0].process, expected);
  EXPECT_EQ(timers_.running.at(1), ProcessWatch::kPeriod);
  EXPECT_EQ(ProcessWatch::kPeriod, std::chrono::milliseconds(200));
}

TEST_F(StartButtonsTest, ConsoleThatCannotStartIsReported) {
  processes_.nextStart = platform::StartedProcess{false, 0, "no executable file"};
  StartConsole("");
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(LastMessage().rfind("An error occurred when attempting to execute the command \"xterm -geometry 170x50 -e "
                                "/bin/sh -c ",
                                0),
            0u);
  EXPECT_EQ(LastMessage().substr(LastMessage().size() - 2), "\".");
  // Without a command line the shell only widens the terminal and stays.
  EXPECT_EQ(processes_.starts[0].arguments.size(), 6u);
  EXPECT_EQ(view_.tracksCleared, 0);
  EXPECT_EQ(buttons_.ConsoleCaption(), "Start Varnholt");
  EXPECT_TRUE(timers_.running.empty());

  processes_.nextStart = platform::StartedProcess{true, 0, ""};
  StartConsole();
  EXPECT_EQ(LastMessage(), "The process ID of the created xterm window could not be obtained.");
  EXPECT_EQ(host_.messages.back().icon, MessageIcon::Warning);
  EXPECT_EQ(view_.tracksCleared, 1);
  EXPECT_EQ(buttons_.ConsoleCaption(), "Start Varnholt");
}

// GNOME Terminal without a session bus, for one: it ends with an error at
// once, and the next installed terminal is tried, for good.
TEST_F(StartButtonsTest, ATerminalThatCannotRunHereMakesWayForTheNext) {
  StartButtons buttons({sets_, current_, working_},
                       {processes_, windows_, timers_, host_, Terminals({"gnome-terminal", "xterm"})}, view_,
                       "/start/");
  auto tick = [&] {
    std::map<std::uint64_t, std::chrono::milliseconds> running = timers_.running;
    for (const auto& [id, period] : running) buttons.TimerTick(id);
  };
  auto endConsole = [&](int status) {
    platform::ScriptedProcess& console = processes_.processes[working_.process.consoleProcessId];
    console.running = false;
    console.exitStatus = status;
  };
  buttons.StartOrActivateConsole("Varnholt in a.txt");
  endConsole(1);
  tick();
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(LastMessage(),
            "The terminal emulator \"gnome-terminal\" ended with exit status 1 right after it was started: it "
            "could not open its window here. Trying \"xterm\" instead.");
  EXPECT_EQ(host_.messages[0].icon, MessageIcon::Warning);
  ASSERT_EQ(processes_.starts.size(), 2u);
  EXPECT_EQ(processes_.starts[1].program, "xterm");
  EXPECT_EQ(processes_.starts[1].arguments.back(), "Varnholt in a.txt");
  EXPECT_EQ(buttons.ConsoleCaption(), "Activate the xterm window");
  EXPECT_EQ(buttons.Watch().WatchedSetIndices(WatchedProgram::Console), std::vector<int>{0});

  // Ending with an error after a second is the simulator's business, not the terminal's.
  for (int i = 0; i < StartButtons::kEarlyEndTicks; ++i) tick();
  endConsole(1);
  tick();
  EXPECT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(buttons.ConsoleCaption(), "Start Varnholt");
  // So is ending at once after the terminal's window appeared.
  buttons.StartOrActivateConsole("Varnholt in a.txt");
  working_.process.consoleWindowSeen = true;
  tick();
  endConsole(1);
  tick();
  EXPECT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(buttons.ConsoleCaption(), "Start Varnholt");

  // With no terminal left the failure is an error; nothing else is started.
  buttons.StartOrActivateConsole("Varnholt in a.txt");
  EXPECT_EQ(processes_.starts.back().program, "xterm");
  endConsole(2);
  tick();
  EXPECT_EQ(host_.messages.back().icon, MessageIcon::Error);
  EXPECT_NE(LastMessage().find("\"xterm\" ended with exit status 2"), std::string::npos);
  EXPECT_NE(LastMessage().find("No other terminal emulator is installed"), std::string::npos);
  EXPECT_EQ(processes_.starts.size(), 4u);
  EXPECT_EQ(buttons.ConsoleCaption(), "Start Varnholt");
  EXPECT_TRUE(timers_.running.empty());
}

TEST_F(StartButtonsTest, ATerminalThatCannotBeStartedMakesWayForTheNext) {
  StartButtons buttons({sets_, current_, working_},
                       {processes_, windows_, timers_, host_, Terminals({"konsole", "xterm"})}, view_, "/start/");
  processes_.nextStart = platform::StartedProcess{false, 0, "no executable file"};
  buttons.StartOrActivateConsole("Varnholt");
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(LastMessage().rfind("An error occurred when attempting to execute the command \"konsole --nofork -e ", 0),
            0u);
  EXPECT_NE(LastMessage().find("\". Trying \"xterm\" instead."), std::string::npos) << LastMessage();
  EXPECT_EQ(processes_.starts.size(), 2u);
  EXPECT_EQ(buttons.ConsoleCaption(), "Activate the xterm window");
}

TEST_F(StartButtonsTest, MissingSimulatorIsReportedInsteadOfOpeningATerminal) {
  working_.cmdFolderOption = 3;
  working_.cmdFolder = "runs";
  // A bare name: the console folder, then PATH, as the console's shell looks.
  processes_.missingPrograms = {"/start/runs/Varnholt", "Varnholt"};
  StartConsole("Varnholt tasks 4");
  EXPECT_TRUE(processes_.starts.empty());
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(LastMessage(),
            "The simulator \"Varnholt\" was not found. Looked for: /start/runs/Varnholt, then in the folders of the "
            "PATH.\n\nEnter the simulator's folder and file name in \"Name of the Varnholt executable file:\" (the "
            "\"Edit\" button beside \"Command line:\"), or put the simulator into one of the folders of the PATH.");
  EXPECT_EQ(buttons_.ConsoleCaption(), "Start Varnholt");
  EXPECT_TRUE(timers_.running.empty());
  EXPECT_EQ(view_.tracksCleared, 0);

  // Found on the PATH: started.
  processes_.missingPrograms = {"/start/runs/Varnholt"};
  StartConsole("Varnholt tasks 4");
  EXPECT_EQ(processes_.starts.size(), 1u);
  buttons_.ResetButton(WatchedProgram::Console);

  // A path (quoted, with a blank) is looked for there only, against the console folder.
  processes_.missingPrograms = {"/start/runs/my sim/Varnholt"};
  StartConsole("\"my sim/Varnholt\" tasks 4");
  EXPECT_EQ(processes_.starts.size(), 1u);
  EXPECT_NE(LastMessage().find("Looked for: /start/runs/my sim/Varnholt.\n"), std::string::npos);

  // An empty command line starts the bare shell, as before.
  StartConsole("");
  EXPECT_EQ(processes_.starts.size(), 2u);
}

TEST_F(StartButtonsTest, ConsoleWindowIsWaitedForThenActivatedAndItsClosingEndsTheWatch) {
  int id = StartConsole();
  TickAll();
  EXPECT_FALSE(working_.process.consoleWindowSeen);
  buttons_.StartOrActivateConsole("ignored");
  EXPECT_EQ(LastMessage(), "It seems that the xterm window is not created yet. Try again in a few seconds.");
  EXPECT_EQ(host_.messages.back().icon, MessageIcon::Information);
  EXPECT_EQ(processes_.starts.size(), 1u);

  windows_.windows = {{77, id}};
  TickAll();
  EXPECT_TRUE(working_.process.consoleWindowSeen);
  EXPECT_TRUE(sets_[0].process.consoleWindowSeen);
  buttons_.StartOrActivateConsole("ignored");
  EXPECT_EQ(windows_.activated, std::vector<platform::WindowId>{77});

  // Closed by hand: gone at the next tick, though the process lingers.
  windows_.windows.clear();
  TickAll();
  EXPECT_EQ(buttons_.ConsoleCaption(), "Start Varnholt");
  EXPECT_EQ(working_.process, settings::ProcessState{});
  EXPECT_TRUE(timers_.running.empty());
  EXPECT_TRUE(buttons_.Watch().WatchedSetIndices(WatchedProgram::Console).empty());
}

TEST_F(StartButtonsTest, ConsoleWhoseProcessIsNoLongerTheTerminalIsForgotten) {
  int id = StartConsole();
  windows_.windows = {{5, id}};
  processes_.processes[id].name = "other-program";  // the id now belongs to another program
  buttons_.StartOrActivateConsole("");
  EXPECT_TRUE(windows_.activated.empty());
  EXPECT_EQ(buttons_.ConsoleCaption(), "Start Varnholt");

  id = StartConsole();
  windows_.windows = {{6, id}};
  processes_.processes[id].name = "other-program";
  TickAll();
  EXPECT_EQ(buttons_.ConsoleCaption(), "Start Varnholt");
}

TEST_F(StartButtonsTest, EndedConsoleResetsOnActivationOrTick) {
  int id = StartConsole();
  processes_.processes[id].running = false;
  buttons_.StartOrActivateConsole("");
  EXPECT_EQ(buttons_.ConsoleCaption(), "Start Varnholt");
  EXPECT_EQ(processes_.starts.size(), 1u);

  id = StartConsole();
  processes_.processes[id].running = false;
  TickAll();
  EXPECT_EQ(buttons_.ConsoleCaption(), "Start Varnholt");
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(StartButtonsTest, WithoutWindowSystemProcessesAreStillWatched) {
  windows_.available = false;
  int id = StartConsole();
  TickAll();
  EXPECT_EQ(buttons_.ConsoleCaption(), "Activate the xterm window");
  buttons_.StartOrActivateConsole("");
  EXPECT_EQ(host_.messages.back().icon, MessageIcon::Information);
  EXPECT_NE(LastMessage().find("xterm window cannot be brought to the front"), std::string::npos);
  EXPECT_EQ(buttons_.ConsoleCaption(), "Activate the xterm window");
  processes_.processes[id].running = false;
  TickAll();
  EXPECT_EQ(buttons_.ConsoleCaption(), "Start Varnholt");
}

TEST_F(StartButtonsTest, EachSetHasItsOwnConsoleAndDeletingRenumbers) {
  int first = StartConsole();
  Select(1);
  EXPECT_EQ(buttons_.ConsoleCaption(), "Start Varnholt");
  int second = StartConsole();
  EXPECT_EQ(working_.process.consoleListPosition, 1);
  EXPECT_EQ(working_.process.consoleTimerId, 2u);
  Select(0);
  EXPECT_EQ(buttons_.ConsoleCaption(), "Activate the xterm window");
  EXPECT_EQ(working_.process.consoleProcessId, first);

  DeleteCurrent();
  EXPECT_EQ(timers_.running.count(1), 0u);
  EXPECT_EQ(timers_.running.count(2), 1u);
  EXPECT_EQ(buttons_.Watch().WatchedSetIndices(WatchedProgram::Console), std::vector<int>{0});
  EXPECT_EQ(working_.process.consoleProcessId, second);
  EXPECT_EQ(working_.process.consoleListPosition, 0);
  EXPECT_EQ(sets_[0].process.consoleListPosition, 0);

  // The tick of the remaining console still finds its own set.
  processes_.processes[second].running = false;
  buttons_.TimerTick(2);
  EXPECT_EQ(sets_[0].process, settings::ProcessState{});
  EXPECT_EQ(buttons_.ConsoleCaption(), "Start Varnholt");
}

TEST_F(StartButtonsTest, InsertingASetKeepsWatchedProcessesWithTheirSets) {
  Select(1);
  int id = StartConsole();
  sets_.insert(sets_.begin(), settings::DefaultParameterSet());
  buttons_.OnSetInserted(0);
  current_ = 2;
  EXPECT_EQ(buttons_.Watch().WatchedSetIndices(WatchedProgram::Console), std::vector<int>{2});
  processes_.processes[id].running = false;
  TickAll();
  EXPECT_EQ(sets_[2].process, settings::ProcessState{});
  EXPECT_EQ(working_.process, settings::ProcessState{});
}

TEST_F(StartButtonsTest, ResettingAButtonMovesTheLaterEntriesUp) {
  StartConsole();
  Select(1);
  StartConsole();
  StartMged();
  Select(0);
  buttons_.ResetButton(WatchedProgram::Console);
  EXPECT_EQ(working_.process, settings::ProcessState{});
  EXPECT_EQ(timers_.running.count(1), 0u);
  EXPECT_EQ(sets_[1].process.consoleListPosition, 0);
  EXPECT_EQ(sets_[1].process.mgedListPosition, 0);

  buttons_.ForgetAll();
  EXPECT_TRUE(timers_.running.empty());
  EXPECT_EQ(sets_[1].process, settings::ProcessState{});
  // The processes themselves are left running.
  for (const auto& [id, process] : processes_.processes) EXPECT_TRUE(process.running);
}

TEST_F(StartButtonsTest, MgedStartsInTheScriptFolderWithItsArguments) {
  working_.MGEDcmdLine = " \"/opt/brl cad/bin/mged\" -c \"my model.g\"";
  working_.ScriptFolder = "scripts/";
  int id = StartMged();
  ASSERT_EQ(processes_.starts.size(), 1u);
  EXPECT_EQ(processes_.starts[0].program, "/opt/brl cad/bin/mged");
  EXPECT_EQ(processes_.starts[0].arguments, (std::vector<std::string>{"-c", "my model.g"}));
  EXPECT_EQ(processes_.starts[0].directory, "/start/scripts/");
  EXPECT_EQ(buttons_.MgedCaption(), "Activate the MGED window");
  EXPECT_EQ(working_.process.mgedProcessId, id);
  EXPECT_EQ(view_.tracksCleared, 0);

  // The second press activates instead of starting another one.
  windows_.windows = {{9, id}};
  buttons_.StartOrActivateMged();
  EXPECT_EQ(processes_.starts.size(), 1u);
  EXPECT_EQ(windows_.activated, std::vector<platform::WindowId>{9});
}

TEST_F(StartButtonsTest, MgedWithoutProgramNameAsksForItOnce) {
  working_.MGEDcmdLine = " \t";
  StartMged();
  EXPECT_EQ(view_.browsed, 1);
  EXPECT_EQ(view_.focused, 1);
  EXPECT_EQ(LastMessage(),
            "The name of the executable file has not been specified. Enter the full path to the MGED executable file "
            "in order to start the Multi-Device Geometry Editor.");
  EXPECT_EQ(host_.messages.back().icon, MessageIcon::Information);
  EXPECT_TRUE(processes_.starts.empty());

  // A folder alone names no program either; a browse that finds one goes on.
  working_.MGEDcmdLine = "/usr/bin/";
  struct Browse final : StartButtonsView {
    explicit Browse(settings::VIEWPARM& set) : set(set) {}
    void ClearNumberOfTracks() override {}
    void BrowseForMged() override { set.MGEDcmdLine = "\"/usr/bin/mged\""; }
    void FocusMgedCommandLine() override { ADD_FAILURE(); }
    settings::VIEWPARM& set;
  } browse(working_);
  StartButtons buttons({sets_, current_, working_}, {processes_, windows_, timers_, host_, Terminals({"xterm"})},
                       browse, "/start/");
  buttons.StartOrActivateMged();
  ASSERT_EQ(processes_.starts.size(), 1u);
  EXPECT_EQ(processes_.starts[0].program, "/usr/bin/mged");
  EXPECT_TRUE(processes_.starts[0].arguments.empty());
}

TEST_F(StartButtonsTest, RunningMgedIsReportedBeforeAnotherIsStarted) {
  processes_.processes[42] = {"mged", 1, true};
  working_.MGEDcmdLine = "/opt/mymged";
  host_.answers = {MessageAnswer::No};
  StartMged();
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(LastMessage(), "The process \"mged\" is already running. Do you want to start another instance?");
  EXPECT_EQ(host_.messages[0].icon, MessageIcon::Question);
  EXPECT_EQ(host_.messages[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(host_.messages[0].defaultAnswer, MessageAnswer::No);
  EXPECT_TRUE(processes_.starts.empty());

  host_.answers = {MessageAnswer::Cancel};
  StartMged();
  EXPECT_TRUE(processes_.starts.empty());

  processes_.processes[43] = {"MyMged", 1, true};
  host_.answers = {MessageAnswer::Yes};
  StartMged();
  EXPECT_EQ(LastMessage(), "The process \"mymged\" is already running. Do you want to start another instance?");
  EXPECT_EQ(processes_.starts.size(), 1u);
}

TEST_F(StartButtonsTest, MgedThatIsMissingOrCannotStartIsReported) {
  working_.MGEDcmdLine = "mged";
  // A bare name is looked for in the folders of the PATH, which the message lists.
  processes_.missingPrograms = {"mged"};
  StartMged();
  EXPECT_TRUE(processes_.starts.empty());
  EXPECT_EQ(host_.messages.back().icon, MessageIcon::Error);
  const char* path = std::getenv("PATH");
  EXPECT_EQ(LastMessage().rfind("The program \"mged\" was not found. Looked for: the folders of the PATH (" +
                                    std::string(path != nullptr ? path : "") + ").\n\nEnter the full path to MGED",
                                0),
            0u)
      << LastMessage();
  // A path with a folder is looked for against the folder MGED starts in.
  working_.MGEDcmdLine = "\"brlcad/bin/mged\" -c";
  processes_.missingPrograms = {"brlcad/bin/mged"};
  StartMged();
  EXPECT_NE(LastMessage().find("Looked for: /start/brlcad/bin/mged.\n"), std::string::npos) << LastMessage();
  EXPECT_TRUE(processes_.starts.empty());

  processes_.missingPrograms.clear();
  working_.MGEDcmdLine = "mged";
  processes_.nextStart = platform::StartedProcess{false, 0, "no executable file"};
  StartMged();
  EXPECT_EQ(LastMessage(), "An error occurred when attempting to run the program \"mged\".");
  EXPECT_EQ(host_.messages.back().icon, MessageIcon::Error);
  processes_.nextStart = platform::StartedProcess{true, 0, ""};
  StartMged();
  EXPECT_EQ(LastMessage(), "The process ID of the created MGED window could not be obtained.");
  EXPECT_EQ(host_.messages.back().icon, MessageIcon::Warning);
  EXPECT_EQ(buttons_.MgedCaption(), "Start MGED");
}

TEST_F(StartButtonsTest, MgedAndItsChildrenAreActivatedWithTheFrontMostLast) {
  int id = StartMged();
  processes_.processes[501] = {"fbserv", id, true};
  windows_.windows = {{1, 501}, {2, id}, {3, 999}};
  buttons_.StartOrActivateMged();
  EXPECT_EQ(windows_.activated, (std::vector<platform::WindowId>{2, 1}));
}

TEST_F(StartButtonsTest, MgedWithoutWindowAsksBeforeResetting) {
  int id = StartMged();
  host_.answers = {MessageAnswer::No};
  buttons_.StartOrActivateMged();
  EXPECT_EQ(LastMessage(),
            "The mged window could not be activated. Do you want to reset the \"Start MGED\" button?");
  EXPECT_EQ(host_.messages.back().buttons, MessageButtons::YesNo);
  EXPECT_EQ(host_.messages.back().defaultAnswer, MessageAnswer::No);
  EXPECT_EQ(buttons_.MgedCaption(), "Activate the MGED window");

  // Seen once, then gone while a child still runs: still asked.
  windows_.windows = {{4, id}};
  TickAll();
  windows_.windows.clear();
  processes_.processes[600] = {"rt", id, true};
  host_.answers = {MessageAnswer::Yes};
  buttons_.StartOrActivateMged();
  EXPECT_EQ(host_.messages.size(), 2u);
  EXPECT_EQ(buttons_.MgedCaption(), "Start MGED");

  // Seen once, gone, no children: reset without a question.
  processes_.processes.clear();
  id = StartMged();
  windows_.windows = {{5, id}};
  TickAll();
  windows_.windows.clear();
  buttons_.StartOrActivateMged();
  EXPECT_EQ(host_.messages.size(), 2u);
  EXPECT_EQ(buttons_.MgedCaption(), "Start MGED");
}

TEST_F(StartButtonsTest, MgedIsWatchedWhileItOrItsChildrenWork) {
  int id = StartMged();
  TickAll();
  EXPECT_EQ(buttons_.MgedCaption(), "Activate the MGED window");
  windows_.windows = {{4, id}};
  TickAll();
  EXPECT_TRUE(working_.process.mgedWindowSeen);
  windows_.windows.clear();
  processes_.processes[600] = {"rt", id, true};
  TickAll();
  EXPECT_EQ(buttons_.MgedCaption(), "Activate the MGED window");
  processes_.processes[600].running = false;
  TickAll();
  EXPECT_EQ(buttons_.MgedCaption(), "Start MGED");
  EXPECT_TRUE(timers_.running.empty());
}

}  // namespace
}  // namespace tessarin::launch
