#include "platform/x11_windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <optional>

namespace tessarin::platform {
namespace {

// Windows come and go while we look at them; a request about a window that
// has just been destroyed must not end the program, which is what Xlib's
// default handler does.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

// How deep a window manager's frames may hide a client window.
constexpr int kFrameDepth = 3;
constexpr long kIconicState = 3;

}  // namespace

struct X11Windows::Connection {
  Display* display = nullptr;
  Atom processIdAtom = 0;
  Atom stateAtom = 0;
  Atom activeWindowAtom = 0;
  Atom supportedAtom = 0;

  ~Connection() {
    if (display != nullptr) XCloseDisplay(display);
  }

  // The 32-bit items of a property; empty when it is missing.
  std::vector<unsigned long> Property(Window window, Atom property, Atom type) const {
    Atom actualType = 0;
    int actualFormat = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(display, window, property, 0, 4096, False, type, &actualType, &actualFormat, &count,
                           &remaining, &data) == Success &&
        data != nullptr && actualFormat == 32) {
      auto* values = reinterpret_cast<unsigned long*>(data);
      items.assign(values, values + count);
    }
    if (data != nullptr) XFree(data);
    return items;
  }

  bool HasState(Window window) const { return !Property(window, stateAtom, stateAtom).empty(); }

  // The client window inside a top-level window: the window itself without
  // a window manager, else the window in the frame that carries WM_STATE.
  std::optional<Window> ClientOf(Window window, int depth) const {
    if (HasState(window)) return window;
    if (depth == 0) return std::nullopt;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::optional<Window> found;
    if (XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
      for (unsigned int i = 0; i < count && !found; ++i) found = ClientOf(children[i], depth - 1);
    }
    if (children != nullptr) XFree(children);
    return found;
  }

  std::optional<int> ProcessIdOf(Window window) const {
    std::vector<unsigned long> pid = Property(window, processIdAtom, XA_CARDINAL);
    if (pid.empty()) return std::nullopt;
    return static_cast<int>(pid.front());
  }

  // Mapped, or minimised by the window manager (which unmaps it).
  bool IsShown(Window window) const {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0) return false;
    if (attributes.map_state == IsViewable) return true;
    std::vector<unsigned long> state = Property(window, stateAtom, stateAtom);
    return !state.empty() && static_cast<long>(state.front()) == kIconicState;
  }

  bool HasOwner(Window window) const {
    Window owner = 0;
    return XGetTransientForHint(display, window, &owner) != 0;
  }

  bool ManagerSupportsActivation() const {
    std::vector<unsigned long> supported = Property(DefaultRootWindow(display), supportedAtom, XA_ATOM);
    return std::find(supported.begin(), supported.end(), activeWindowAtom) != supported.end();
  }
};

std::unique_ptr<X11Windows> X11Windows::Open(const std::string& displayName) {
  auto connection = std::make_unique<Connection>();
  connection->display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
  if (connection->display == nullptr) return nullptr;
  XSetErrorHandler(IgnoreError);
  connection->processIdAtom = XInternAtom(connection->display, "_NET_WM_PID", False);
  connection->stateAtom = XInternAtom(connection->display, "WM_STATE", False);
  connection->activeWindowAtom = XInternAtom(connection->display, "_NET_ACTIVE_WINDOW", False);
  connection->supportedAtom = XInternAtom(connection->display, "_NET_SUPPORTED", False);
  return std::unique_ptr<X11Windows>(new X11Windows(std::move(connection)));
}

X11Windows::X11Windows(std::unique_ptr<Connection> connection) : connection_(std::move(connection)) {}

X11Windows::~X11Windows() = default;

std::vector<WindowId> X11Windows::FindWindows(const std::vector<int>& processIds, std::size_t limit) {
  const Connection& x = *connection_;
  std::vector<WindowId> found;
  Window root = 0, parent = 0;
  Window* topLevels = nullptr;
  unsigned int count = 0;
  if (XQueryTree(x.display, DefaultRootWindow(x.display), &root, &parent, &topLevels, &count) == 0) return found;
  // The tree lists the bottom window first.
  for (unsigned int i = count; i-- > 0 && found.size() < limit;) {
    Window client = x.ClientOf(topLevels[i], kFrameDepth).value_or(topLevels[i]);
    std::optional<int> pid = x.ProcessIdOf(client);
    if (!pid || std::find(processIds.begin(), processIds.end(), *pid) == processIds.end()) continue;
    if (x.IsShown(client) && !x.HasOwner(client)) found.push_back(client);
  }
  if (topLevels != nullptr) XFree(topLevels);
  return found;
}

void X11Windows::Activate(WindowId id) {
  const Connection& x = *connection_;
  auto window = static_cast<Window>(id);
  XMapRaised(x.display, window);
  if (x.ManagerSupportsActivation()) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = x.activeWindowAtom;
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // requested by the user, not by the program on its own
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x.display, DefaultRootWindow(x.display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
  } else {
    // Without a window manager the raised window only needs the focus; a
    // window that is not yet viewable refuses it, which the handler ignores.
    XSync(x.display, False);
    XSetInputFocus(x.display, window, RevertToParent, CurrentTime);
  }
  XSync(x.display, False);
}

}  // namespace tessarin::platform
