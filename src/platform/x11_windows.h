#pragma once
// Windows on an X11 display: a window belongs to the process in its
// _NET_WM_PID property; activation asks the window manager through
// _NET_ACTIVE_WINDOW, or raises and focuses the window itself when no
// window manager offers that.

#include <memory>
#include <string>

#include "platform/windows.h"

namespace tessarin::platform {

class X11Windows final : public Windows {
 public:
  // Empty when the display cannot be opened; an empty name means $DISPLAY.
  static std::unique_ptr<X11Windows> Open(const std::string& displayName = {});
  ~X11Windows() override;
  X11Windows(const X11Windows&) = delete;
  X11Windows& operator=(const X11Windows&) = delete;

  [[nodiscard]] bool Available() const override { return true; }
  std::vector<WindowId> FindWindows(const std::vector<int>& processIds, std::size_t limit) override;
  void Activate(WindowId window) override;

 private:
  struct Connection;
  explicit X11Windows(std::unique_ptr<Connection> connection);
  std::unique_ptr<Connection> connection_;
};

}  // namespace tessarin::platform
