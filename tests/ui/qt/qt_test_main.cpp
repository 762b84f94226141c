// The widget tests need one application object. They run offscreen, except
// the program of the X11 tests, which gets an Xvfb server of its own first
// and runs on it.

#include <gtest/gtest.h>

#include <clocale>

#include "ui/qt/guarded_application.h"
#ifdef TESSARIN_ON_PRIVATE_X_SERVER
#include "support/x_server.h"
#endif

// On a real display (xcb) Qt loads the D-Bus library, which keeps one
// allocation to the end; the leak checker of sanitized builds is told so.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
#ifdef TESSARIN_ON_PRIVATE_X_SERVER
  // Listing the tests (CTest does it at build time) needs no server.
  if (!::testing::GTEST_FLAG(list_tests) && tessarin::testing::XServer::Start())
    qputenv("QT_QPA_PLATFORM", "xcb");
#endif
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int result = 0;
  {
    tessarin::ui::qt::GuardedApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    result = RUN_ALL_TESTS();
  }
#ifdef TESSARIN_ON_PRIVATE_X_SERVER
  tessarin::testing::XServer::Stop();
#endif
  return result;
}
