// File names that mean something to a shell, through the real console
// start: the terminal's shell must hand each name to the simulator as it
// is, and run nothing a name spells.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "launch/command_line.h"
#include "launch/start_buttons.h"
#include "platform/process_command_line.h"
#include "platform/process_posix.h"
#include "platform/scripted_host.h"
#include "platform/timers.h"
#include "platform/windows_scripted.h"
#include "support/eventually.h"
#include "support/test_files.h"

namespace tessarin::launch {
namespace {

using tessarin::testing::Eventually;
using tessarin::testing::PathExists;
using tessarin::testing::ReadWholeFile;
using tessarin::testing::TempDir;
using tessarin::testing::WriteWholeFile;

struct NoView final : StartButtonsView {
  void ClearNumberOfTracks() override {}
  void BrowseForMged() override {}
  void FocusMgedCommandLine() override {}
};

void WriteProgram(const std::string& path, const std::string& text) {
  WriteWholeFile(path, "#!/bin/sh\n" + text);
  ::chmod(path.c_str(), 0755);
}

class ConsoleFileNamesTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    // A terminal that runs its command with no one at the keyboard, so the
    // shell that would stay open for the user ends at once.
    WriteProgram(folder.File("fake-terminal"), "while [ \"$1\" != -e ]; do shift; done; shift; exec \"$@\" </dev/null\n");
    // The simulator writes each argument it got on a line of its own.
    WriteProgram(folder.File("Varnholt"), "for a in \"$@\"; do printf '%s\\n' \"$a\"; done >arguments.txt\n");
  }

  TempDir folder;
};

TEST_P(ConsoleFileNamesTest, TheSimulatorGetsTheNamesAndTheShellRunsNothing) {
  const std::string name = GetParam();
  settings::VIEWPARM set = settings::DefaultParameterSet();
  set.VarnholtExeName = "Varnholt";
  set.InputFileFolder = folder.path();
  set.VarnholtFolder = folder.path();
  set.InputFN = name + ".inp";
  set.suffix = "_r";  // the output name is passed too, the input name within it
  set.cmdFolderOption = 0;
  const CommandLine line = BuildCommandLine(set, {folder.path(), 1});
  ASSERT_FALSE(line.text.empty());

  std::vector<settings::VIEWPARM> sets{set};
  int current = 0;
  platform::PosixProcesses processes;
  platform::ScriptedWindows windows;
  platform::RecordingTimers timers;
  platform::ScriptedHost host;
  NoView view;
  StartButtons buttons(
      {sets, current, set},
      {processes, windows, timers, host, {platform::TerminalEmulator{folder.File("fake-terminal"), "fake"}}}, view,
      folder.path());
  buttons.StartOrActivateConsole(line.text);
  ASSERT_TRUE(host.messages.empty()) << host.messages.front().text;

  ASSERT_TRUE(Eventually([&] { return PathExists(folder.File("arguments.txt")); }, 10000)) << line.text;
  ASSERT_TRUE(Eventually([&] { return !processes.IsRunning(set.process.consoleProcessId); }, 10000));
  EXPECT_EQ(ReadWholeFile(folder.File("arguments.txt")), "in\n" + name + ".inp\nout\n" + name + "_r.txt\n")
      << line.text;
  EXPECT_FALSE(PathExists(folder.File("RAN"))) << line.text;
  EXPECT_EQ(platform::SplitShellWords(line.text),
            (std::vector<std::string>{"Varnholt", "in", name + ".inp", "out", name + "_r.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Names, ConsoleFileNamesTest,
                         ::testing::Values("a$(touch RAN)", "a`touch RAN`", "$HOME", "it's", "say \"hi\"",
                                           "both ' and \" quotes", "my runs", "a;touch RAN", "~x", "#x",
                                           "$(touch RAN) it's \"all\" `touch RAN`"));

// Where nothing needs protection the line keeps its readable form.
TEST(CommandLineQuoting, ReadableWhereNothingNeedsQuoting) {
  EXPECT_EQ(QuoteWhenNeeded("runs/a_1.inp"), "runs/a_1.inp");
  EXPECT_EQ(QuoteWhenNeeded("my runs/a.inp"), "\"my runs/a.inp\"");
  EXPECT_EQ(QuoteWhenNeeded("it's here.inp"), "\"it's here.inp\"");
  EXPECT_EQ(QuoteWhenNeeded("a$(x).inp"), "'a$(x).inp'");
  EXPECT_EQ(QuoteWhenNeeded("x=y/Varnholt"), "\"x=y/Varnholt\"");
  EXPECT_EQ(QuoteWhenNeeded("Überlauf.inp"), "Überlauf.inp");
}

}  // namespace
}  // namespace tessarin::launch
