// The start buttons with real processes: a stand-in terminal emulator runs
// the console's shell as a real one would, and is killed as a user would
// close it.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "launch/command_line.h"
#include "launch/file_names.h"
#include "launch/process_watch.h"
#include "launch/start_buttons.h"
#include "platform/process_posix.h"
#include "platform/scripted_host.h"
#include "platform/timers.h"
#include "support/test_files.h"

namespace tessarin::launch {
namespace {

using tessarin::testing::TempDir;

void WriteScript(const std::string& path, const std::string& body) {
  tessarin::testing::WriteWholeFile(path, "#!/bin/sh\n" + body + "\n");
  ::chmod(path.c_str(), 0755);
}

bool Exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

struct QuietView final : StartButtonsView {
  void ClearNumberOfTracks() override {}
  void BrowseForMged() override {}
  void FocusMgedCommandLine() override {}
};

class StartButtonsWithProcessesTest : public ::testing::Test {
 protected:
  StartButtonsWithProcessesTest()
      : sets_{settings::DefaultParameterSet(), settings::DefaultParameterSet()},
        working_(sets_[0]),
        buttons_({sets_, current_, working_},
                 {processes_,
                  windows_,
                  timers_,
                  host_,
                  {platform::TerminalEmulator{dir_.File("stand-in-terminal"), "stand-in-terminal"}}},
                 view_, dir_.path()) {
    // Like a terminal emulator: run what follows "-e".
    WriteScript(dir_.File("stand-in-terminal"), "while [ \"$1\" != -e ]; do shift; done; shift; exec \"$@\"");
    // The shell that stays open afterwards.
    WriteScript(dir_.File("user-shell"), "exec sleep 600");
    if (const char* shell = std::getenv("SHELL")) oldShell_ = shell;
    ::setenv("SHELL", dir_.File("user-shell").c_str(), 1);
    working_.cmdFolderOption = 3;
    working_.cmdFolder = dir_.path();
  }
  ~StartButtonsWithProcessesTest() override {
    for (const settings::VIEWPARM& set : sets_)
      if (set.process.consoleProcessId != 0) ::kill(-set.process.consoleProcessId, SIGKILL);
    if (oldShell_.empty())
      ::unsetenv("SHELL");
    else
      ::setenv("SHELL", oldShell_.c_str(), 1);
  }

  void TickAll() {
    std::map<std::uint64_t, std::chrono::milliseconds> running = timers_.running;
    for (const auto& [id, period] : running) buttons_.TimerTick(id);
  }
  // Kills the console as closing its window would, and lets one timer period pass.
  void CloseConsole(int processId) {
    ::kill(-processId, SIGKILL);
    std::this_thread::sleep_for(ProcessWatch::kPeriod);
    TickAll();
  }

  TempDir dir_;
  std::vector<settings::VIEWPARM> sets_;
  int current_ = 0;
  settings::VIEWPARM working_;
  platform::PosixProcesses processes_;
  platform::NoWindows windows_;
  platform::RecordingTimers timers_;
  platform::ScriptedHost host_;
  QuietView view_;
  StartButtons buttons_;
  std::string oldShell_;
};

TEST_F(StartButtonsWithProcessesTest, ConsoleRunsTheCommandLineAndItsEndResetsTheButton) {
  buttons_.StartOrActivateConsole("echo \"$PWD\" > \"ran here.txt\"");
  ASSERT_TRUE(host_.messages.empty()) << host_.messages[0].text;
  int id = working_.process.consoleProcessId;
  ASSERT_GT(id, 0);
  EXPECT_EQ(buttons_.ConsoleCaption(), "Activate the stand-in-terminal window");
  for (int i = 0; i < 300 && !Exists(dir_.File("ran here.txt")); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(tessarin::testing::ReadWholeFile(dir_.File("ran here.txt")),
            dir_.path().substr(0, dir_.path().size() - 1) + "\n");

  // The shell stays open after the command line: still watched.
  TickAll();
  EXPECT_EQ(buttons_.ConsoleCaption(), "Activate the stand-in-terminal window");
  CloseConsole(id);
  EXPECT_EQ(buttons_.ConsoleCaption(), "Start Varnholt");
  EXPECT_EQ(working_.process, settings::ProcessState{});
  EXPECT_TRUE(timers_.running.empty());
}

TEST_F(StartButtonsWithProcessesTest, ATerminalThatEndsWithAnErrorAtOnceMakesWayForTheNext) {
  WriteScript(dir_.File("sessionless-terminal"), "echo 'no session bus' >&2; exit 8");
  StartButtons buttons({sets_, current_, working_},
                       {processes_,
                        windows_,
                        timers_,
                        host_,
                        {platform::TerminalEmulator{dir_.File("sessionless-terminal"), "sessionless-terminal"},
                         platform::TerminalEmulator{dir_.File("stand-in-terminal"), "stand-in-terminal"}}},
                       view_, dir_.path());
  buttons.StartOrActivateConsole("");
  for (int i = 0; i < 100 && host_.messages.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::map<std::uint64_t, std::chrono::milliseconds> running = timers_.running;
    for (const auto& [id, period] : running) buttons.TimerTick(id);
  }
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_NE(host_.messages[0].text.find("\"sessionless-terminal\" ended with exit status 8"), std::string::npos);
  EXPECT_EQ(buttons.ConsoleCaption(), "Activate the stand-in-terminal window");
  EXPECT_TRUE(processes_.IsRunning(working_.process.consoleProcessId));
}

TEST_F(StartButtonsWithProcessesTest, ConsoleRunsTheSimulatorOnTheSetsInputFile) {
  tessarin::testing::WriteWholeFile(dir_.File("run.txt"), "MAT \"lead\"\nSurface 0 0 0  0 0 1\nTHICK 0.5\n");
  working_.VarnholtFolder = TESSARIN_BINARY_DIR "/bin/";
  working_.InputFileFolder = dir_.path();
  working_.InputFN = "run.txt";
  LaunchContext context{dir_.path(), 1};
  CommandLine line = BuildCommandLine(working_, context);
  buttons_.StartOrActivateConsole(line.text);
  DerivedFileNames names = DeriveFileNames(working_, context);
  for (int i = 0; i < 500 && !Exists(names.log); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(Exists(names.output));
  EXPECT_TRUE(Exists(names.trackData));
  EXPECT_TRUE(Exists(names.log));
}

TEST_F(StartButtonsWithProcessesTest, TwoSetsWithTheirOwnConsolesSurviveDeletingTheFirst) {
  buttons_.StartOrActivateConsole("");
  int first = working_.process.consoleProcessId;
  sets_[0] = working_;
  current_ = 1;
  working_ = sets_[1];
  working_.cmdFolderOption = 2;
  buttons_.StartOrActivateConsole("");
  int second = working_.process.consoleProcessId;
  ASSERT_GT(first, 0);
  ASSERT_GT(second, 0);
  ASSERT_NE(first, second);
  EXPECT_EQ(working_.process.consoleListPosition, 1);

  sets_[1] = working_;
  current_ = 0;
  ::kill(-first, SIGKILL);
  sets_.erase(sets_.begin());
  buttons_.OnSetDeleted(0);
  working_ = sets_[0];
  EXPECT_EQ(working_.process.consoleProcessId, second);
  EXPECT_EQ(working_.process.consoleListPosition, 0);
  EXPECT_EQ(timers_.running.size(), 1u);

  TickAll();
  EXPECT_EQ(buttons_.ConsoleCaption(), "Activate the stand-in-terminal window");
  CloseConsole(second);
  EXPECT_EQ(buttons_.ConsoleCaption(), "Start Varnholt");
  EXPECT_EQ(sets_[0].process, settings::ProcessState{});
}

TEST_F(StartButtonsWithProcessesTest, MissingMgedIsReported) {
  // A name no real process has: the RT script tests may run a real MGED meanwhile.
  working_.MGEDcmdLine = dir_.File("no-mged-here/missing-mged");
  // A real MGED of another test makes the button ask first: start another.
  host_.answers.push_back(platform::MessageAnswer::Yes);
  buttons_.StartOrActivateMged();
  ASSERT_FALSE(host_.messages.empty());
  EXPECT_EQ(host_.messages.back().text.rfind("The program \"missing-mged\" was not found. Looked for: " +
                                             dir_.File("no-mged-here/missing-mged") + ".\n\n",
                                         0),
            0u)
      << host_.messages.back().text;
  EXPECT_EQ(buttons_.MgedCaption(), "Start MGED");
}

}  // namespace
}  // namespace tessarin::launch
