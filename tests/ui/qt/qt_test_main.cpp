// The widget tests need one application object; they run without a display.

#include <gtest/gtest.h>

#include <clocale>

#include "ui/qt/guarded_application.h"

// On a real display (xcb) Qt loads the D-Bus library, which keeps one
// allocation to the end; the leak checker of sanitized builds is told so.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  tessarin::ui::qt::GuardedApplication application(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
