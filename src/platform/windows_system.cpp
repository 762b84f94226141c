#include "platform/windows.h"
#include "platform/x11_windows.h"

namespace tessarin::platform {

std::unique_ptr<Windows> ConnectToWindowSystem() {
  if (std::unique_ptr<X11Windows> x11 = X11Windows::Open()) return x11;
  return std::make_unique<NoWindows>();
}

}  // namespace tessarin::platform
