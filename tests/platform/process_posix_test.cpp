// Starting programs, the questions /proc answers about them, and the shell
// that the console's terminal runs.

#include "platform/process_posix.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/process_table.h"
#include "platform/process_terminal.h"
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

// Polls until `done` holds or five seconds have passed.
template <typename Condition>
bool Eventually(Condition done) {
  for (int i = 0; i < 500; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

class PosixProcessesTest : public ::testing::Test {
 protected:
  ~PosixProcessesTest() override {
    // Each started program leads its own process group.
    for (int id : started_) ::kill(-id, SIGKILL);
  }
  int StartOrFail(const ProcessStart& request) {
    StartedProcess process = processes_.Start(request);
    EXPECT_TRUE(process.started) << process.error;
    if (process.started) started_.push_back(process.processId);
    return process.processId;
  }
  PosixProcesses processes_;
  std::vector<int> started_;
};

TEST_F(PosixProcessesTest, StartedProgramRunsUntilKilledAndIsKnownByName) {
  int id = StartOrFail({"sleep", {"30"}, ""});
  ASSERT_GT(id, 0);
  EXPECT_TRUE(processes_.IsRunning(id));
  EXPECT_TRUE(processes_.HasName(id, "sleep"));
  EXPECT_TRUE(processes_.HasName(id, "SLEEP"));
  EXPECT_FALSE(processes_.HasName(id, "sh"));
  std::vector<int> running = processes_.RunningProcesses(100000);
  EXPECT_NE(std::find(running.begin(), running.end(), id), running.end());
  EXPECT_NE(std::find(running.begin(), running.end(), ::getpid()), running.end());

  ::kill(id, SIGKILL);
  // The ended child is collected, not left counting as a zombie.
  EXPECT_TRUE(Eventually([&] { return !processes_.IsRunning(id); }));
  EXPECT_FALSE(ReadProcessStatus(id).has_value());
}

TEST_F(PosixProcessesTest, AnEndedChildNobodyAsksAboutIsCollectedAtTheNextStart) {
  int forgotten = StartOrFail({"sleep", {"30"}, ""});
  ASSERT_GT(forgotten, 0);
  ::kill(forgotten, SIGKILL);
  ASSERT_TRUE(Eventually([&] {
    std::optional<ProcessStatus> status = ReadProcessStatus(forgotten);
    return status && status->state == 'Z';
  }));
  int next = StartOrFail({"sleep", {"30"}, ""});
  ASSERT_GT(next, 0);
  EXPECT_FALSE(ReadProcessStatus(forgotten).has_value()) << "the ended child is still a zombie";
  // Whoever still watched it learns that it has ended.
  EXPECT_FALSE(processes_.IsRunning(forgotten));
  EXPECT_TRUE(processes_.IsRunning(next));
}

TEST_F(PosixProcessesTest, RunsInTheInitialDirectoryWithArgumentsUnchanged) {
  TempDir dir;
  int id = StartOrFail({"/bin/sh", {"-c", "pwd > where.txt; printf '%s|' \"$@\" > args.txt", "sh", "a b", "", "c\"d"},
                        dir.path()});
  ASSERT_TRUE(Eventually([&] { return !processes_.IsRunning(id); }));
  EXPECT_EQ(ReadWholeFile(dir.File("where.txt")), dir.path().substr(0, dir.path().size() - 1) + "\n");
  EXPECT_EQ(ReadWholeFile(dir.File("args.txt")), "a b||c\"d|");
}

TEST_F(PosixProcessesTest, RelativeProgramIsFoundFromTheInitialDirectory) {
  TempDir dir;
  ::mkdir(dir.File("bin").c_str(), 0755);
  WriteScript(dir.File("bin/tool"), "echo ran > ran.txt");
  int id = StartOrFail({"bin/tool", {}, dir.path()});
  ASSERT_TRUE(Eventually([&] { return !processes_.IsRunning(id); }));
  EXPECT_EQ(ReadWholeFile(dir.File("ran.txt")), "ran\n");
}

TEST_F(PosixProcessesTest, FailuresAreReportedNotStarted) {
  StartedProcess missing = processes_.Start({"no-such-program-tessarin", {}, ""});
  EXPECT_FALSE(missing.started);
  EXPECT_EQ(missing.processId, 0);
  EXPECT_NE(missing.error.find("no-such-program-tessarin"), std::string::npos);

  StartedProcess badDirectory = processes_.Start({"sleep", {"1"}, "/no/such/folder/"});
  EXPECT_FALSE(badDirectory.started);
  EXPECT_NE(badDirectory.error.find("/no/such/folder/"), std::string::npos);

  TempDir dir;
  WriteWholeFile(dir.File("not-executable"), "#!/bin/sh\n");
  EXPECT_FALSE(processes_.Start({dir.File("not-executable"), {}, ""}).started);
}

TEST_F(PosixProcessesTest, ChildrenOfAProcessAreListed) {
  int id = StartOrFail({"/bin/sh", {"-c", "sleep 30 & sleep 30 & wait"}, ""});
  std::vector<int> children;
  // Forked by the shell first, they become sleep a moment later.
  auto bothSleep = [&] {
    children = processes_.ChildProcesses(id, 100);
    return children.size() == 2 && processes_.HasName(children[0], "sleep") && processes_.HasName(children[1], "sleep");
  };
  ASSERT_TRUE(Eventually(bothSleep));
  EXPECT_EQ(processes_.ChildProcesses(id, 1).size(), 1u);
}

TEST_F(PosixProcessesTest, ScriptIsKnownByItsOwnNameEvenWhenLong) {
  // Wrapper scripts such as x-terminal-emulator run under their
  // interpreter; the kernel keeps their name, cut to 15 characters.
  TempDir dir;
  WriteScript(dir.File("a-rather-long-terminal-name"), "sleep 30; true");
  int id = StartOrFail({dir.File("a-rather-long-terminal-name"), {}, ""});
  EXPECT_TRUE(processes_.HasName(id, "a-rather-long-terminal-name"));
  EXPECT_TRUE(processes_.HasName(id, "A-Rather-Long-Terminal-Name"));
  EXPECT_FALSE(processes_.HasName(id, "a-rather-short"));
}

TEST_F(PosixProcessesTest, WrapperIsKnownByItsNameAfterReplacingItself) {
  TempDir dir;
  WriteScript(dir.File("real-terminal"), "exec sleep 30");
  ASSERT_EQ(::symlink(dir.File("real-terminal").c_str(), dir.File("terminal-link").c_str()), 0);
  WriteScript(dir.File("wrapper"), "exec " + dir.File("terminal-link"));
  int id = StartOrFail({dir.File("wrapper"), {}, ""});
  ASSERT_TRUE(Eventually([&] { return ExecutableName(id) == "sleep"; }));
  EXPECT_TRUE(processes_.HasName(id, "wrapper"));
  EXPECT_TRUE(processes_.HasName(id, "sleep"));
  EXPECT_FALSE(processes_.HasName(id, "real-terminal"));
  // A process we did not start is known by what it runs only.
  EXPECT_FALSE(PosixProcesses().HasName(id, "wrapper"));

  int linked = StartOrFail({dir.File("terminal-link"), {}, ""});
  EXPECT_TRUE(processes_.HasName(linked, "terminal-link"));
  EXPECT_TRUE(processes_.HasName(linked, "real-terminal"));
}

TEST(ProcessNames, ExecutableNameOrCutShortName) {
  EXPECT_TRUE(ProcessNameMatches("xterm", "xterm", "XTerm"));
  EXPECT_TRUE(ProcessNameMatches("dash", "x-terminal-emul", "x-terminal-emulator"));
  EXPECT_FALSE(ProcessNameMatches("dash", "x-terminal-emul", "x-terminal-other"));
  EXPECT_FALSE(ProcessNameMatches("dash", "x-terminal-emul", "x-terminal"));
  EXPECT_FALSE(ProcessNameMatches("mymged", "mymged", "mged"));
  EXPECT_FALSE(ProcessNameMatches("", "", ""));
}

TEST(ProcessTable, StatusOfThisProcess) {
  std::optional<ProcessStatus> status = ReadProcessStatus(::getpid());
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(status->parentId, ::getppid());
  EXPECT_EQ(status->state, 'R');
  EXPECT_FALSE(ReadProcessStatus(0).has_value());
  EXPECT_FALSE(ReadProcessStatus(-5).has_value());
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
  EXPECT_TRUE(Eventually([&] { return !processes.IsRunning(shell.processId); }));
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
  ProcessStart other = TerminalStart({"st", "st"}, "", "/sim/", 170);
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
