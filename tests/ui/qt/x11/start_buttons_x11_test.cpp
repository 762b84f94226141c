// The start buttons against a real X11 desktop: this program runs on an
// Xvfb server of its own; without one (no Xvfb installed) the test is skipped.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <csignal>
#include <cstdlib>
#include <functional>

#include "platform/scripted_host.h"
#include "support/x_server.h"
#include "ui/controller_fixture.h"
#include "ui/qt/desktop_application.h"

namespace tessarin::ui::qt {
namespace {

bool OnADisplay() { return QApplication::platformName() == "xcb"; }

// Lets the event loop (and so the 200 ms watch timers) run until `done`.
bool WaitFor(const std::function<bool()>& done, int milliseconds) {
  QElapsedTimer elapsed;
  elapsed.start();
  while (!done()) {
    if (elapsed.elapsed() > milliseconds) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  return true;
}

TEST(StartButtonsOnX11, StartVarnholtOpensATerminalAndTheButtonFollowsIt) {
  if (!OnADisplay()) GTEST_SKIP() << "needs an X11 display: " << tessarin::testing::XServer::Failure();
  // The demo names the simulator "Varnholt"; the stand-in is built beside us.
  std::string bin = std::string(TESSARIN_BINARY_DIR) + "/bin";
  if (!QFileInfo(QString::fromStdString(bin + "/Varnholt")).isExecutable())
    GTEST_SKIP() << "needs the stand-in simulator (target tessarin_standin_simulator)";
  std::string path = bin + ":" + std::getenv("PATH");
  setenv("PATH", path.c_str(), 1);
  setenv("TESSARIN_TERMINAL", "xterm", 1);
  // The simulator writes its files beside the input file: a copy of the demo.
  tessarin::testing::TempDir folder;
  for (const char* name : {"demo.tesprm", "demo_lattice.inp"})
    tessarin::testing::WriteWholeFile(
        folder.File(name), tessarin::testing::ReadWholeFile(std::string(TESSARIN_SOURCE_DIR) + "/examples/" + name));
  ControllerEnvironment environment;
  environment.programFolder = folder.path();
  environment.startupDirectory = folder.path();
  environment.parameterFileArgument = folder.File("demo.tesprm");
  auto host = std::make_unique<platform::ScriptedHost>();
  platform::ScriptedHost& scripted = *host;
  DesktopApplication desktop(environment, std::move(host), std::make_unique<ui::testing::RecordingShell>());
  Controller& controller = desktop.controller();
  ASSERT_FALSE(controller.CommandLine().empty());

  controller.StartOrActivateConsole();
  EXPECT_TRUE(scripted.messages.empty());
  EXPECT_EQ(controller.ConsoleButtonCaption(), "Activate the xterm window");
  EXPECT_TRUE(WaitFor([&] { return controller.WorkingCopy().process.consoleWindowSeen; }, 10000));
  controller.StartOrActivateConsole();  // activates, asks nothing
  EXPECT_TRUE(scripted.messages.empty());

  // The simulator ran in it with the set's command line: its log is there.
  EXPECT_TRUE(WaitFor([&] { return !tessarin::testing::ReadWholeFile(folder.File("demo_lattice_log.txt")).empty(); },
                      10000));
  kill(controller.WorkingCopy().process.consoleProcessId, SIGTERM);
  EXPECT_TRUE(WaitFor([&] { return controller.ConsoleButtonCaption() == "Start Varnholt"; }, 5000));

  controller.EditWorkingCopy().MGEDcmdLine = "mged-that-is-not-installed";
  // An MGED of someone else on this machine brings a question first.
  scripted.answers = {platform::MessageAnswer::Yes};
  controller.StartOrActivateMged();
  ASSERT_FALSE(scripted.messages.empty());
  EXPECT_EQ(scripted.messages.back().text.rfind("The program \"mged-that-is-not-installed\" was not found.", 0), 0u)
      << scripted.messages.back().text;
  EXPECT_EQ(controller.MgedButtonCaption(), "Start MGED");
}

}  // namespace
}  // namespace tessarin::ui::qt
