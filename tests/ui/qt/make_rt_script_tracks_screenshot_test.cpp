// "Make RT script" on the demo set with tracks shown, in the real window:
// the tracks are read on the progress dialog's worker thread, and the count
// stands in "Number of tracks:" afterwards. The window is saved to
// <build>/screenshots/main_window_rt_script_tracks.png for a look.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>

#include "platform/scripted_host.h"
#include "support/test_files.h"
#include "ui/controller_fixture.h"
#include "ui/qt/captions.h"
#include "ui/qt/desktop_application.h"

namespace tessarin::ui::qt {
namespace {

using tessarin::testing::ReadWholeFile;
using tessarin::testing::WriteWholeFile;

TEST(MakeRtScriptWindow, ShowsTheNumberOfDrawnTracks) {
  tessarin::testing::TempDir folder;
  for (const char* name : {"demo.tesprm", "demo_lattice.inp"})
    WriteWholeFile(folder.File(name), ReadWholeFile(std::string(TESSARIN_SOURCE_DIR) + "/examples/" + name));
  // Two source particles that leave the lattice and a Compton electron.
  WriteWholeFile(folder.File("tracks.txt"),
                 "1: History No. 1\n1\n3\n0 0 0 1e6\n1 0.5 4 8e5\n2 1 9 -7e5\n"
                 "2: 1/7\n3\n1 0.5 4 2e5\n1.5 0.2 4.5 1e5\n1.6 0.1 4.6 0\n"
                 "3: History No. 2\n2\n2\n0 0 0 1e6\n-1 -1 9 -9e5\n");
  ControllerEnvironment environment;
  environment.programFolder = folder.path();
  environment.startupDirectory = folder.path();
  environment.parameterFileArgument = folder.File("demo.tesprm");
  auto host = std::make_unique<platform::ScriptedHost>();
  platform::ScriptedHost& messages = *host;
  DesktopApplication desktop(environment, std::move(host), std::make_unique<ui::testing::RecordingShell>());
  Controller& controller = desktop.controller();
  settings::VIEWPARM& set = controller.EditWorkingCopy();
  set.showTracks = 1;
  set.useCustomTrackFN = 1;
  set.TrackFN = "tracks.txt";
  controller.SetOverwritePrompt(false);
  MainWindow& window = desktop.window();
  window.resize(1600, 1300);
  window.show();
  // The button, as a user presses it: the window shows the count itself.
  QPushButton* make = nullptr;
  for (QPushButton* button : window.findChildren<QPushButton*>())
    if (button->text() == captions::kMakeRtScript) make = button;
  ASSERT_NE(make, nullptr);
  make->click();
  QApplication::processEvents();

  QLineEdit* count = nullptr;
  for (QLineEdit* field : window.findChildren<QLineEdit*>())
    if (field->toolTip() == captions::kTipNumberOfTracks) count = field;
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count->text(), "3");
  for (const platform::RecordedMessage& message : messages.messages) ADD_FAILURE() << message.text;
  const std::string script = ReadWholeFile(controller.RtScriptPath());
  EXPECT_NE(script.find("_tracks0_source.rt\"\n"), std::string::npos);
  EXPECT_NE(script.find("_tracks7_Compton_recoil.rt\"\n"), std::string::npos);

  QString screenshots = QString(TESSARIN_BINARY_DIR) + "/screenshots";
  QDir().mkpath(screenshots);
  EXPECT_TRUE(window.grab().save(screenshots + "/main_window_rt_script_tracks.png"));
  controller.CloseConsoleAtExit();
}

}  // namespace
}  // namespace tessarin::ui::qt
