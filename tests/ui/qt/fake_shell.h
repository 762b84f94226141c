#pragma once
// Shell services for widget tests: nothing is opened, recent files are kept.

#include <string>
#include <vector>

#include "ui/shell_services.h"

namespace tessarin::ui::qt::testing {

class FakeShell final : public ShellServices {
 public:
  bool OpenDocument(const std::string& path) override {
    opened.push_back(path);
    return true;
  }
  void AddRecentFile(const std::string& path) override { recent.push_back(path); }
  std::vector<std::string> opened;
  std::vector<std::string> recent;
};

}  // namespace tessarin::ui::qt::testing
