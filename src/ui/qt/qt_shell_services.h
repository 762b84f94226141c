#pragma once
// Opening documents with their associated program, and the recent-file list
// kept in the settings of organisation and application "Tessarin".

#include "ui/shell_services.h"

namespace tessarin::ui::qt {

inline constexpr int kRecentFileCount = 10;

class QtShellServices final : public ShellServices {
 public:
  bool OpenDocument(const std::string& path) override;
  void AddRecentFile(const std::string& path) override;
};

}  // namespace tessarin::ui::qt
