#include <gtest/gtest.h>

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>

#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_timers.h"
#include "platform/windows_clipboard.h"
#include "support/test_files.h"

namespace tessarin::platform::qt {
namespace {

using tessarin::testing::TempDir;
using tessarin::testing::WriteWholeFile;

class QtPlatformTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tessarin_platform_qt_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
  }

  static QClipboard& Board() { return *QGuiApplication::clipboard(); }

  // Runs the event loop for about `milliseconds`.
  static void RunEvents(int milliseconds) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }

  TempDir dir_;
  QtClipboard clipboard_;
};

TEST_F(QtPlatformTest, TextFileArrivesOnTheClipboardByteForByte) {
  const std::string script = "opendb \"/runs/Ω model.g\" y\r\n\tin s1 sph 0 0 0 1.5\nZ 1e-12 µm\n";
  WriteWholeFile(dir_.File("a.rt"), script);
  ASSERT_TRUE(CopyFileToClipboard(dir_.File("a.rt"), clipboard_));
  QByteArray back = Board().text().toUtf8();
  EXPECT_EQ(std::string(back.constData(), static_cast<std::size_t>(back.size())), script);
}

TEST_F(QtPlatformTest, BytesThatAreNotUtf8ArriveOneCharacterEach) {
  const std::string latin1 = "caf\xe9 \xb5m\n";
  WriteWholeFile(dir_.File("latin1.rt"), latin1);
  ASSERT_TRUE(CopyFileToClipboard(dir_.File("latin1.rt"), clipboard_));
  QByteArray back = Board().text().toLatin1();
  EXPECT_EQ(std::string(back.constData(), static_cast<std::size_t>(back.size())), latin1);
}

TEST_F(QtPlatformTest, PlainTextEndsAtAZeroByte) {
  WriteWholeFile(dir_.File("zero.rt"), std::string("before\0after", 12));
  ASSERT_TRUE(CopyFileToClipboard(dir_.File("zero.rt"), clipboard_));
  EXPECT_EQ(Board().text(), QStringLiteral("before"));
}

TEST_F(QtPlatformTest, UnreadableFileLeavesTheClipboardAlone) {
  Board().setText(QStringLiteral("kept"));
  EXPECT_FALSE(CopyFileToClipboard(dir_.File("missing.rt"), clipboard_));
  EXPECT_FALSE(CopyFileToClipboard(dir_.path(), clipboard_));  // a folder
  EXPECT_EQ(Board().text(), QStringLiteral("kept"));
}

TEST_F(QtPlatformTest, TimersTickWithTheirIdentifierUntilStopped) {
  std::vector<std::uint64_t> ticks;
  QtTimers* timers = nullptr;
  QtTimers owner([&](std::uint64_t id) {
    ticks.push_back(id);
    // A handler may stop the timer that called it.
    if (id == 8) timers->Stop(8);
  });
  timers = &owner;
  owner.Start(7, std::chrono::milliseconds(20));
  owner.Start(8, std::chrono::milliseconds(20));
  RunEvents(150);
  EXPECT_GE(std::count(ticks.begin(), ticks.end(), 7u), 3);
  EXPECT_EQ(std::count(ticks.begin(), ticks.end(), 8u), 1);
  EXPECT_FALSE(owner.IsRunning(8));

  owner.Stop(7);
  owner.Stop(99);  // never started: nothing happens
  ticks.clear();
  RunEvents(80);
  EXPECT_TRUE(ticks.empty());
}

}  // namespace
}  // namespace tessarin::platform::qt
