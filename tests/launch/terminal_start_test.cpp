// The terminals the simulator's console runs in: the options that keep each
// one's launcher alive for as long as its window, and a real run of every
// one installed here, on a private X server.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <thread>

#include "platform/process_command_line.h"
#include "platform/process_terminal.h"
#include "support/test_files.h"
#include "support/eventually.h"
#include "support/x_server.h"

namespace tessarin::platform {
namespace {

using tessarin::testing::TempDir;
using tessarin::testing::WriteWholeFile;
using tessarin::testing::XServer;
using tessarin::testing::Eventually;
using tessarin::testing::PathExists;

std::vector<std::string> Prefix(const ProcessStart& start, std::size_t count) {
  return {start.arguments.begin(), start.arguments.begin() + static_cast<long>(std::min(count, start.arguments.size()))};
}

TEST(TerminalOptions, LaunchersThatReturnAtOnceAreKeptInTheForeground) {
  using Words = std::vector<std::string>;
  EXPECT_EQ(Prefix(TerminalStart({"gnome-terminal", "gnome-terminal"}, "Varnholt", "/sim/", 170), 4),
            (Words{"--wait", "--geometry=170x50", "--", "/bin/sh"}));
  EXPECT_EQ(Prefix(TerminalStart({"mate-terminal", "mate-terminal"}, "Varnholt", "/sim/", 170), 4),
            (Words{"--disable-factory", "--geometry=170x50", "-x", "/bin/sh"}));
  EXPECT_EQ(Prefix(TerminalStart({"xfce4-terminal", "xfce4-terminal"}, "Varnholt", "/sim/", 170), 4),
            (Words{"--disable-server", "--geometry=170x50", "-x", "/bin/sh"}));
  EXPECT_EQ(Prefix(TerminalStart({"konsole", "konsole"}, "Varnholt", "/sim/", 170), 3),
            (Words{"--nofork", "-e", "/bin/sh"}));
  ProcessStart gnome = TerminalStart({"/usr/bin/gnome-terminal", "gnome-terminal"}, "Varnholt in a.txt", "/sim/", 170);
  EXPECT_EQ(gnome.program, "/usr/bin/gnome-terminal");
  EXPECT_EQ(gnome.directory, "/sim/");
  EXPECT_EQ(gnome.arguments.back(), "Varnholt in a.txt");
}

TEST(TerminalOptions, DebianWrapperIsPassedForTheTerminalBesideIt) {
  TempDir dir;
  for (const char* name : {"some-terminal", "some-terminal.wrapper", "lonely.wrapper"}) {
    WriteWholeFile(dir.File(name), "#!/bin/sh\n");
    ::chmod(dir.File(name).c_str(), 0755);
  }
  ASSERT_EQ(::symlink(dir.File("some-terminal.wrapper").c_str(), dir.File("x-term").c_str()), 0);
  TerminalEmulator terminal = DescribeTerminalEmulator(dir.File("x-term"));
  EXPECT_EQ(terminal.program, dir.File("some-terminal"));
  EXPECT_EQ(terminal.name, "some-terminal");
  // A wrapper without its terminal is used as it is.
  EXPECT_EQ(DescribeTerminalEmulator(dir.File("lonely.wrapper")).name, "lonely.wrapper");
}

// Each installed terminal on an Xvfb of our own, with a session bus of its
// own for the terminals that talk to a server over D-Bus.
class InstalledTerminalTest : public ::testing::TestWithParam<const char*> {
 protected:
  static void SetUpTestSuite() {
    if (!XServer::Start()) return;
    ::setenv("NO_AT_BRIDGE", "1", 1);  // no accessibility bus to outlive the test
    bus_ = std::make_unique<TempDir>();
    std::string address = "unix:path=" + bus_->File("bus");
    StartedProcess daemon = XServer::Processes().Start(
        {"dbus-daemon", {"--session", "--nofork", "--address=" + address}, ""});
    if (daemon.started) {
      busId_ = daemon.processId;
      ::setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
      Eventually([] { return PathExists(bus_->File("bus")); }, 5000);
    }
  }
  static void TearDownTestSuite() {
    if (busId_ != 0) ::kill(busId_, SIGTERM);
    busId_ = 0;
    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    XServer::Stop();
  }

  static inline std::unique_ptr<TempDir> bus_;
  static inline int busId_ = 0;
};

TEST_P(InstalledTerminalTest, StartedProcessLivesAsLongAsTheConsole) {
  const std::string program = GetParam();
  if (!FindExecutable(program, "/")) GTEST_SKIP() << program << " is not installed";
  if (XServer::DisplayName().empty()) GTEST_SKIP() << "no X server: " << XServer::Failure();
  TempDir dir;
  // The command line waits for the test, then ends the console's shell, as
  // closing the console's window would (the user's shell is not ours to
  // replace: xterm takes the login shell when $SHELL is not listed).
  const std::string commandLine =
      "touch ran-command; i=0; while [ ! -e release ] && [ $i -lt 600 ]; do sleep 0.1; i=$((i+1)); done; kill $$";
  ProcessStart start = TerminalStart(DescribeTerminalEmulator(program), commandLine, dir.path(), 170);
  StartedProcess started = XServer::Processes().Start(start);
  ASSERT_TRUE(started.started) << started.error;
  EXPECT_TRUE(Eventually([&] { return PathExists(dir.File("ran-command")); }, 20000)) << "the console never ran";
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_TRUE(XServer::Processes().IsRunning(started.processId)) << program << " returned while its console runs";

  WriteWholeFile(dir.File("release"), "");
  bool ended = Eventually([&] { return !XServer::Processes().IsRunning(started.processId); }, 15000);
  EXPECT_TRUE(ended) << program << " stayed after its console ended";
  if (!ended) ::kill(started.processId, SIGKILL);
}

INSTANTIATE_TEST_SUITE_P(Terminals, InstalledTerminalTest,
                         ::testing::Values("xterm", "gnome-terminal", "mate-terminal", "xfce4-terminal", "konsole"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
}  // namespace tessarin::platform
