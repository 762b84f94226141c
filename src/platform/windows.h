#pragma once
// The desktop's top-level windows, as far as the launch buttons need them:
// finding the windows of a process and bringing one to the front.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace tessarin::platform {

using WindowId = std::uint64_t;

class Windows {
 public:
  virtual ~Windows() = default;

  // False when there is no window system to ask; then no window is ever
  // found and none can be activated.
  [[nodiscard]] virtual bool Available() const = 0;

  // The visible top-level windows without an owner that belong to one of
  // `processIds`, front-most first, at most `limit`.
  virtual std::vector<WindowId> FindWindows(const std::vector<int>& processIds, std::size_t limit) = 0;

  // Restores the window when minimised, shows it and brings it to the front.
  virtual void Activate(WindowId window) = 0;
};

// Without a window system.
class NoWindows final : public Windows {
 public:
  [[nodiscard]] bool Available() const override { return false; }
  std::vector<WindowId> FindWindows(const std::vector<int>&, std::size_t) override { return {}; }
  void Activate(WindowId) override {}
};

// The X11 display named by $DISPLAY, or NoWindows when it cannot be opened.
std::unique_ptr<Windows> ConnectToWindowSystem();

}  // namespace tessarin::platform
