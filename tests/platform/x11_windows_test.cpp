#include "platform/x11_windows.h"

// GoogleTest first: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xatom.h>
// clang-format on
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "platform/process_table.h"
#include "support/test_files.h"
#include "support/eventually.h"
#include "support/x_server.h"

namespace tessarin::platform {
namespace {

using tessarin::testing::TempDir;
using tessarin::testing::XServer;
using tessarin::testing::Eventually;
using tessarin::testing::PathExists;

struct Client {
  int processId = 0;
  Window window = 0;
};

class X11WindowsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { XServer::Start(); }
  static void TearDownTestSuite() { XServer::Stop(); }

  void SetUp() override {
    if (XServer::DisplayName().empty()) GTEST_SKIP() << "No X server for the window tests: " << XServer::Failure();
    windows_ = X11Windows::Open(XServer::DisplayName());
    ASSERT_TRUE(windows_);
    display_ = XOpenDisplay(XServer::DisplayName().c_str());
    ASSERT_NE(display_, nullptr);
  }
  void TearDown() override {
    for (int id : clients_) ::kill(-id, SIGKILL);
    if (display_ != nullptr) XCloseDisplay(display_);
  }

  // Starts the test client and waits until its window exists.
  Client StartClient(std::vector<std::string> options) {
    std::string ready = dir_.File("ready" + std::to_string(clients_.size()));
    options.insert(options.end(), {"--ready-file", ready});
    StartedProcess started =
        XServer::Processes().Start({TESSARIN_BINARY_DIR "/bin/tessarin-x11-test-client", options, ""});
    EXPECT_TRUE(started.started) << started.error;
    if (!started.started) return {};
    clients_.push_back(started.processId);
    Client client{started.processId, 0};
    EXPECT_TRUE(Eventually([&] { return PathExists(ready); })) << "the test client showed no window";
    std::ifstream(ready) >> client.window;
    return client;
  }

  std::vector<WindowId> Find(const std::vector<int>& ids) { return windows_->FindWindows(ids, 100); }

  Window TopWindow() {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count);
    Window top = 0;
    for (unsigned int i = count; i-- > 0 && top == 0;) {
      XWindowAttributes attributes;
      if (XGetWindowAttributes(display_, children[i], &attributes) && attributes.map_state == IsViewable)
        top = children[i];
    }
    if (children != nullptr) XFree(children);
    return top;
  }

  void SetWindowState(Window window, long state) {
    Atom wmState = XInternAtom(display_, "WM_STATE", False);
    long data[2] = {state, 0};
    XChangeProperty(display_, window, wmState, wmState, 32, PropModeReplace, reinterpret_cast<unsigned char*>(data), 2);
    XSync(display_, False);
  }

  TempDir dir_;
  std::unique_ptr<X11Windows> windows_;
  ::Display* display_ = nullptr;
  std::vector<int> clients_;
};

TEST_F(X11WindowsTest, WindowIsFoundByItsProcessId) {
  Client a = StartClient({});
  Client b = StartClient({});
  EXPECT_EQ(Find({a.processId}), std::vector<WindowId>{a.window});
  EXPECT_EQ(Find({b.processId}), std::vector<WindowId>{b.window});
  // Front-most first: b was mapped last.
  EXPECT_EQ(Find({a.processId, b.processId}), (std::vector<WindowId>{b.window, a.window}));
  EXPECT_EQ(windows_->FindWindows({a.processId, b.processId}, 1), std::vector<WindowId>{b.window});
  EXPECT_TRUE(Find({::getpid()}).empty());
}

TEST_F(X11WindowsTest, HiddenOwnedAndUnlabelledWindowsDoNotCount) {
  Client hidden = StartClient({"--hidden"});
  Client owned = StartClient({"--owned"});
  Client unlabelled = StartClient({"--no-pid"});
  EXPECT_TRUE(Find({hidden.processId, owned.processId, unlabelled.processId}).empty());
}

TEST_F(X11WindowsTest, WindowOfAChildProcessIsFoundThroughTheChild) {
  Client parent = StartClient({"--in-child"});
  EXPECT_TRUE(Find({parent.processId}).empty());
  std::vector<int> children = ListChildProcesses(parent.processId, 100);
  ASSERT_EQ(children.size(), 1u);
  EXPECT_EQ(Find({parent.processId, children[0]}), std::vector<WindowId>{parent.window});
}

TEST_F(X11WindowsTest, ClientInsideAWindowManagerFrameIsFound) {
  Client client = StartClient({});
  Window frame = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 300, 200, 0, 0, 0);
  XMapWindow(display_, frame);
  XReparentWindow(display_, client.window, frame, 5, 20);
  SetWindowState(client.window, 1);  // normal
  EXPECT_TRUE(Eventually([&] { return Find({client.processId}) == std::vector<WindowId>{client.window}; }));
}

TEST_F(X11WindowsTest, MinimisedWindowCountsAndActivationRestoresIt) {
  Client client = StartClient({"--hidden"});
  SetWindowState(client.window, 3);  // iconic, as a window manager leaves a minimised window
  ASSERT_EQ(Find({client.processId}), std::vector<WindowId>{client.window});
  windows_->Activate(client.window);
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(display_, client.window, &attributes));
  EXPECT_EQ(attributes.map_state, IsViewable);
}

TEST_F(X11WindowsTest, ActivationWithoutWindowManagerRaisesAndFocuses) {
  Client a = StartClient({});
  Client b = StartClient({});
  ASSERT_EQ(TopWindow(), b.window);
  windows_->Activate(a.window);
  EXPECT_EQ(TopWindow(), a.window);
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display_, &focus, &revert);
  EXPECT_EQ(focus, a.window);
}

TEST_F(X11WindowsTest, ActivationAsksAWindowManagerThatOffersIt) {
  Client client = StartClient({});
  Window root = DefaultRootWindow(display_);
  Atom supported = XInternAtom(display_, "_NET_SUPPORTED", False);
  Atom activeWindow = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
  XChangeProperty(display_, root, supported, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&activeWindow), 1);
  XSelectInput(display_, root, SubstructureNotifyMask);
  XSync(display_, False);

  windows_->Activate(client.window);
  bool asked = Eventually([&] {
    XEvent event;
    while (XCheckTypedEvent(display_, ClientMessage, &event)) {
      if (event.xclient.message_type == activeWindow && event.xclient.window == client.window &&
          event.xclient.data.l[0] == 2)
        return true;
    }
    return false;
  });
  EXPECT_TRUE(asked);
  XDeleteProperty(display_, root, supported);
  XSync(display_, False);
}

TEST_F(X11WindowsTest, VanishedWindowIsHarmless) {
  Client client = StartClient({});
  ::kill(client.processId, SIGKILL);
  EXPECT_TRUE(Eventually([&] { return Find({client.processId}).empty(); }));
  windows_->Activate(client.window);
  EXPECT_TRUE(Find({client.processId}).empty());
}

}  // namespace
}  // namespace tessarin::platform
