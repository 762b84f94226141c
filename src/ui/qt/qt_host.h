#pragma once
// The desktop's message boxes and choosers for the controller.

#include <QWidget>

#include "platform/host.h"

namespace tessarin::ui::qt {

class QtHost final : public platform::Host {
 public:
  // Message boxes and choosers are owned by `owner` (the main window); it may
  // be set later, before the first message.
  explicit QtHost(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }

  platform::MessageAnswer ShowMessage(std::string_view text, platform::MessageIcon icon,
                                      platform::MessageButtons buttons,
                                      platform::MessageAnswer defaultAnswer) override;
  std::optional<std::string> ChooseFileToOpen(const platform::FileChooserRequest& request) override;
  std::optional<std::string> ChooseFileToSave(const platform::FileChooserRequest& request) override;
  std::optional<std::string> ChooseFolder(std::string_view title, std::string_view initialFolder) override;
  std::optional<platform::Rgb> ChooseColor(platform::Rgb initial) override;
  platform::Rgb ButtonFaceColor() const override;

 private:
  QWidget* owner_;
};

// "Name (*.a)|*.a|All files (*.*)|*.*||" in the form of a Qt file dialog;
// "*.*" becomes "*" because names without a dot are common here.
QString ToQtFilter(std::string_view filter);

}  // namespace tessarin::ui::qt
