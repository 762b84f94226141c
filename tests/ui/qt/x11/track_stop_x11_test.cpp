// Stop in the track-reading progress dialog, as a person uses it: real X
// events (xdotool) on this program's own Xvfb server, with a window
// manager (openbox) and without one. A click on Stop, Space on it, and
// closing the dialog each end the reading.

#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <memory>

#include "platform/process_command_line.h"
#include "support/eventually.h"
#include "support/test_files.h"
#include "support/x_server.h"
#include "ui/qt/stop_test_reading.h"
#include "ui/qt/track_progress_dialog.h"

namespace tessarin::ui::qt {
namespace {

using tessarin::testing::XServer;

enum class Gesture { Click, Space, Close };

struct StopCase {
  Gesture gesture;
  bool windowManager;
};

QDialog* ShownProgressDialog() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(widget);
    if (dialog != nullptr && dialog->isVisible() && dialog->windowTitle().startsWith("Reading the track data file"))
      return dialog;
  }
  return nullptr;
}

// The xdotool command that performs `gesture` on `dialog`.
std::vector<std::string> GestureCommand(Gesture gesture, QDialog& dialog) {
  switch (gesture) {
    case Gesture::Click: {
      QPushButton* stop = dialog.findChild<QPushButton*>();
      const QPoint centre = stop->mapToGlobal(stop->rect().center());
      return {"xdotool", "mousemove", "--sync", std::to_string(centre.x()), std::to_string(centre.y()), "click", "1"};
    }
    case Gesture::Space:
      return {"xdotool", "key", "space"};
    case Gesture::Close:
      return {"xdotool", "key", "alt+F4"};  // openbox closes the active window
  }
  return {};
}

std::string CaseName(const ::testing::TestParamInfo<StopCase>& info) {
  const std::array<const char*, 3> gestures{"Click", "Space", "Close"};
  return std::string(gestures[static_cast<std::size_t>(info.param.gesture)]) +
         (info.param.windowManager ? "WithWindowManager" : "WithoutWindowManager");
}

class TrackStopX11Test : public ::testing::TestWithParam<StopCase> {
 protected:
  void SetUp() override {
    if (QApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X11 display: " << XServer::Failure();
    if (!platform::FindExecutable("xdotool", "/")) GTEST_SKIP() << "xdotool is not installed";
    if (GetParam().windowManager) {
      if (!platform::FindExecutable("openbox", "/")) GTEST_SKIP() << "openbox is not installed";
      platform::StartedProcess started = XServer::Processes().Start({"openbox", {"--sm-disable"}, "/"});
      ASSERT_TRUE(started.started) << started.error;
      windowManager_ = started.processId;
      QApplication::processEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(500));  // openbox takes over the screen
    } else if (GetParam().gesture == Gesture::Close) {
      GTEST_SKIP() << "without a window manager a window has no close button";
    }
  }
  void TearDown() override {
    if (windowManager_ != 0) {
      ::kill(windowManager_, SIGTERM);
      tessarin::testing::Eventually([&] { return !XServer::Processes().IsRunning(windowManager_); }, 5000);
    }
  }

  int windowManager_ = 0;
};

TEST_P(TrackStopX11Test, StopEndsTheReading) {
  tessarin::testing::TempDir folder;
  tessarin::testing::StopTestReading reading(folder.File("large.txt"));
  QMainWindow window;
  window.resize(600, 400);
  window.show();

  // Once the dialog shows, the gesture comes from outside, as a person's would.
  QTimer watcher;
  bool acted = false;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    QDialog* dialog = ShownProgressDialog();
    if (acted || dialog == nullptr) return;
    acted = true;
    std::vector<std::string> command = GestureCommand(GetParam().gesture, *dialog);
    XServer::Processes().Start({command.front(), {command.begin() + 1, command.end()}, "/"});
  });
  watcher.start(300);
  QtTrackReadingRunner runner(&window);
  runner.Run([&](tracks::ReadingProgress* progress) { reading.Read(progress); }, reading.stop);
  EXPECT_TRUE(acted) << "the progress dialog never showed";
  EXPECT_TRUE(reading.outcome.interrupted) << "the reading ran to its end";
  EXPECT_LT(reading.statistics.tracks, tessarin::testing::kStopTestTracks);
}

INSTANTIATE_TEST_SUITE_P(Gestures, TrackStopX11Test,
                         ::testing::Values(StopCase{Gesture::Click, false}, StopCase{Gesture::Space, false},
                                           StopCase{Gesture::Click, true}, StopCase{Gesture::Space, true},
                                           StopCase{Gesture::Close, true}),
                         CaseName);

}  // namespace
}  // namespace tessarin::ui::qt
