#pragma once
// Opening documents with their associated program, and the recent-file list
// kept in the settings of organisation and application "Tessarin".

#include "platform/process_posix.h"
#include "ui/shell_services.h"

namespace tessarin::ui::qt {

inline constexpr int kRecentFileCount = 10;

class QtShellServices final : public ShellServices {
 public:
  OpenOutcome OpenDocument(const std::string& path) override;
  void AddRecentFile(const std::string& path) override;

 private:
  // xdg-open, which says by its exit status whether it found a program.
  OpenOutcome OpenWithDesktopOpener(const std::string& opener, const std::string& path);

  platform::PosixProcesses processes_;
};

}  // namespace tessarin::ui::qt
