#include "platform/process_terminal.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/process_posix.h"
#include "support/test_files.h"

namespace tessarin::platform {
namespace {

using tessarin::testing::ReadWholeFile;
using tessarin::testing::TempDir;
using tessarin::testing::WriteWholeFile;

void WriteScript(const std::string& path, const std::string& body) {
  WriteWholeFile(path, "#!/bin/sh\n" + body + "\n");
  ::chmod(path.c_str(), 0755);
}

// Sets an environment variable for one test.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedVariable() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// Runs what the terminal would run after its "-e", and waits for its end.
void RunAsTheTerminalWould(const ProcessStart& start) {
  auto e = std::find(start.arguments.begin(), start.arguments.end(), "-e");
  ASSERT_NE(e, start.arguments.end());
  ASSERT_NE(e + 1, start.arguments.end());
  PosixProcesses processes;
  StartedProcess shell = processes.Start({*(e + 1), {e + 2, start.arguments.end()}, start.directory});
  ASSERT_TRUE(shell.started) << shell.error;
  for (int i = 0; i < 500 && processes.IsRunning(shell.processId); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(processes.IsRunning(shell.processId));
}

TEST(TerminalStart, XtermGetsItsWidthAndTheCommandLine) {
  TerminalEmulator xterm{"xterm", "xterm"};
  ProcessStart start = TerminalStart(xterm, "Varnholt tasks 4", "/sim/", 170);
  EXPECT_EQ(start.program, "xterm");
  EXPECT_EQ(start.directory, "/sim/");
  ASSERT_EQ(start.arguments.size(), 8u);
  EXPECT_EQ(start.arguments[0], "-geometry");
  EXPECT_EQ(start.arguments[1], "170x50");
  EXPECT_EQ(start.arguments[2], "-e");
  EXPECT_EQ(start.arguments[3], "/bin/sh");
  EXPECT_EQ(start.arguments.back(), "Varnholt tasks 4");

  EXPECT_EQ(TerminalStart({"x-terminal-emulator", "lxterm"}, "", "/", 170).arguments[0], "-geometry");

  // Other terminals are widened by the shell; an empty line runs nothing.
  ProcessStart other = TerminalStart({"konsole", "konsole"}, "", "/sim/", 170);
  ASSERT_EQ(other.arguments.size(), 4u);
  EXPECT_EQ(other.arguments[0], "-e");
  EXPECT_NE(other.arguments[3].find("\\033[8;;170t"), std::string::npos);
}

TEST(TerminalStart, RunsTheLineFromTheConsoleFolderThenStaysInAShell) {
  TempDir dir;
  // The program is found in the console folder, as the command line names it.
  WriteScript(dir.File("Varnholt"), "printf '%s|' \"$@\" > args.txt");
  WriteScript(dir.File("user-shell"), "echo stayed > stayed.txt");
  ScopedVariable shell("SHELL", dir.File("user-shell"));
  RunAsTheTerminalWould(TerminalStart({"xterm", "xterm"}, "Varnholt in \"my runs/a.txt\" @1 2.5", dir.path(), 170));
  EXPECT_EQ(ReadWholeFile(dir.File("args.txt")), "in|my runs/a.txt|@1|2.5|");
  EXPECT_EQ(ReadWholeFile(dir.File("stayed.txt")), "stayed\n");
}

TEST(TerminalStart, ABrokenCommandLineStillLeavesTheShellOpen) {
  TempDir dir;
  WriteScript(dir.File("user-shell"), "echo stayed > stayed.txt");
  ScopedVariable shell("SHELL", dir.File("user-shell"));
  RunAsTheTerminalWould(TerminalStart({"xterm", "xterm"}, "Varnholt in \"unclosed", dir.path(), 170));
  EXPECT_EQ(ReadWholeFile(dir.File("stayed.txt")), "stayed\n");
}

TEST(TerminalEmulatorChoice, ConfiguredTerminalIsNamedAfterTheLinkTarget) {
  TempDir dir;
  WriteScript(dir.File("real-terminal"), "");
  ASSERT_EQ(::symlink(dir.File("real-terminal").c_str(), dir.File("x-term").c_str()), 0);
  ScopedVariable configured(kTerminalVariable, dir.File("x-term"));
  TerminalEmulator terminal = ChooseTerminalEmulator();
  EXPECT_EQ(terminal.program, dir.File("x-term"));
  EXPECT_EQ(terminal.name, "real-terminal");
  // A terminal that is not installed keeps its own name for the messages.
  EXPECT_EQ(DescribeTerminalEmulator("no-such-terminal").name, "no-such-terminal");
}

}  // namespace
}  // namespace tessarin::platform
