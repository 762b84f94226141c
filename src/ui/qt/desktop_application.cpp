#include "ui/qt/desktop_application.h"

#include <QMenuBar>

#include "input/engine_user_code.h"
#include "platform/process_posix.h"
#include "platform/process_terminal.h"
#include "ui/qt/guarded_application.h"
#include "ui/qt/modal_dimming.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/qt_shell_services.h"
#include "ui/qt/system_vars_window.h"
#include "ui/qt/wrapped_tooltips.h"

namespace tessarin::ui::qt {

DesktopApplication::DesktopApplication(ControllerEnvironment environment, std::unique_ptr<platform::Host> host,
                                       std::unique_ptr<ShellServices> shell)
    : host_(std::move(host)),
      shell_(std::move(shell)),
      engine_(std::make_unique<input::EngineUserCode>()),
      processes_(std::make_unique<platform::PosixProcesses>()),
      windows_(platform::ConnectToWindowSystem()),
      timers_([this](std::uint64_t id) {
        controller_->TimerTick(id);
        window_->ShowStartButtons();
      }) {
  auto* desktopHost = host_ ? nullptr : new QtHost;
  if (desktopHost) host_.reset(desktopHost);
  if (!shell_) shell_ = std::make_unique<QtShellServices>();
  ControllerServices services{
      console_, *engine_, *processes_, *windows_, timers_, platform::TerminalEmulatorChoices(), &clipboard_};
  controller_ = std::make_unique<Controller>(*host_, *shell_, dialogs_, services, std::move(environment));
  controller_->Start();
  window_ = std::make_unique<MainWindow>(*controller_);
  new ModalDimming(window_.get());
  new WrappedToolTips(window_.get());
  if (desktopHost) desktopHost->SetOwner(window_.get());
  dialogs_.Attach(window_.get(), controller_.get(), [this] { window_->ShowState(); });
  window_->SetAfterShowState([this] {
    if (SystemVarsWindow* variables = dialogs_.ExistingSystemVariablesWindow()) variables->ShowValues();
  });
  controller_->SetWorkingCopyShownHandler([this] { window_->ShowState(); });
  // Edits in the modeless dialogs change the flag between two ShowState calls.
  controller_->SetModifiedHandler([this](bool modified) { window_->setWindowModified(modified); });
  console_.SetCloseRequestHandler([this] {
    controller_->CloseConsoleWindow();
    window_->ShowState();
  });
  window_->ShowState();
  if (GuardedApplication* application = GuardedApplication::Instance())
    application->SetFailureHandler([this](std::string_view what) { RecoverFrom(what); });
}

DesktopApplication::~DesktopApplication() {
  if (GuardedApplication* application = GuardedApplication::Instance()) application->SetFailureHandler(nullptr);
  controller_->CloseConsoleAtExit();
}

void DesktopApplication::RecoverFrom(std::string_view what) {
  controller_->ReportUnexpectedFailure(what);
  // A command that was cut short may have left the window disabled for a read.
  if (!controller_->IsReadingInputFile()) {
    window_->centralWidget()->setEnabled(true);
    window_->menuBar()->setEnabled(true);
  }
  window_->ShowState();
}

}  // namespace tessarin::ui::qt
