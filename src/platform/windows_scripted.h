#pragma once
// Windows for tests: the test lists the windows and their processes, and
// reads back which were activated.

#include "platform/windows.h"

namespace tessarin::platform {

struct ScriptedWindow {
  WindowId id = 0;
  int processId = 0;
};

class ScriptedWindows final : public Windows {
 public:
  [[nodiscard]] bool Available() const override { return available; }
  std::vector<WindowId> FindWindows(const std::vector<int>& processIds, std::size_t limit) override;
  void Activate(WindowId window) override { activated.push_back(window); }

  bool available = true;
  std::vector<ScriptedWindow> windows;  // front-most first
  std::vector<WindowId> activated;
};

}  // namespace tessarin::platform
