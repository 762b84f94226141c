#pragma once
// The desktop program put together: host, shell services, dialogs, the
// controller and the main window, with the controller's start-up. Under a
// GuardedApplication, a failure that escapes a command is reported through
// the host and the window is made usable again.

#include <memory>
#include <string_view>

#include "input/user_code.h"
#include "platform/host.h"
#include "platform/process.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_timers.h"
#include "platform/windows.h"
#include "ui/controller.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_console.h"
#include "ui/qt/qt_dialog_runner.h"
#include "ui/shell_services.h"

namespace tessarin::ui::qt {

class DesktopApplication {
 public:
  // `host` and `shell` may be replaced (tests); when null the desktop's own
  // are used.
  explicit DesktopApplication(ControllerEnvironment environment, std::unique_ptr<platform::Host> host = nullptr,
                              std::unique_ptr<ShellServices> shell = nullptr);
  // The console goes with the program.
  ~DesktopApplication();

  Controller& controller() { return *controller_; }
  MainWindow& window() { return *window_; }
  QtDialogRunner& dialogs() { return dialogs_; }
  QtConsole& console() { return console_; }

 private:
  void RecoverFrom(std::string_view what);

  std::unique_ptr<platform::Host> host_;
  std::unique_ptr<ShellServices> shell_;
  QtDialogRunner dialogs_;
  QtConsole console_;
  std::unique_ptr<input::UserCodeEngine> engine_;
  std::unique_ptr<platform::Processes> processes_;
  std::unique_ptr<platform::Windows> windows_;
  platform::qt::QtTimers timers_;
  platform::qt::QtClipboard clipboard_;
  std::unique_ptr<Controller> controller_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace tessarin::ui::qt
