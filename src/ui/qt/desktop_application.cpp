#include "ui/qt/desktop_application.h"

#include "ui/qt/qt_host.h"
#include "ui/qt/qt_shell_services.h"
#include "ui/qt/system_vars_window.h"

namespace tessarin::ui::qt {

DesktopApplication::DesktopApplication(ControllerEnvironment environment, std::unique_ptr<platform::Host> host,
                                       std::unique_ptr<ShellServices> shell)
    : host_(std::move(host)), shell_(std::move(shell)) {
  auto* desktopHost = host_ ? nullptr : new QtHost;
  if (desktopHost) host_.reset(desktopHost);
  if (!shell_) shell_ = std::make_unique<QtShellServices>();
  controller_ = std::make_unique<Controller>(*host_, *shell_, dialogs_, std::move(environment));
  controller_->Start();
  window_ = std::make_unique<MainWindow>(*controller_);
  if (desktopHost) desktopHost->SetOwner(window_.get());
  dialogs_.Attach(window_.get(), controller_.get(), [this] { window_->ShowState(); });
  window_->SetAfterShowState([this] {
    if (SystemVarsWindow* variables = dialogs_.ExistingSystemVariablesWindow()) variables->ShowValues();
  });
  controller_->SetWorkingCopyShownHandler([this] { window_->ShowState(); });
  window_->ShowState();
}

}  // namespace tessarin::ui::qt
