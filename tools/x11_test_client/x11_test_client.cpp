// Shows one top-level window on the X display until it is killed, so that
// tests can look for the windows of a process.
//
//   tessarin-x11-test-client [--title T] [--no-pid] [--hidden] [--owned]
//                            [--in-child] [--ready-file PATH] [-e ...]
//
// --no-pid      leaves out _NET_WM_PID
// --hidden      never maps the window
// --owned       makes the window a transient of an unmapped owner window
// --in-child    the window belongs to a child process; this one has none
// --ready-file  receives the window id in decimal once the window exists
// -e ...        ends the options; the rest is ignored, as a terminal emulator
//               would run it

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

struct Options {
  std::string title = "tessarin test window";
  bool setPid = true;
  bool hidden = false;
  bool owned = false;
  bool inChild = false;
  std::string readyFile;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (option == "-e") break;
    if (option == "--title" && i + 1 < argc) {
      options.title = argv[++i];
    } else if (option == "--ready-file" && i + 1 < argc) {
      options.readyFile = argv[++i];
    } else if (option == "--no-pid") {
      options.setPid = false;
    } else if (option == "--hidden") {
      options.hidden = true;
    } else if (option == "--owned") {
      options.owned = true;
    } else if (option == "--in-child") {
      options.inChild = true;
    } else if (option == "-geometry" && i + 1 < argc) {
      ++i;  // accepted like a terminal emulator's option, and ignored
    } else {
      std::fprintf(stderr, "tessarin-x11-test-client: unknown option %s\n", option.c_str());
      return false;
    }
  }
  return true;
}

int ShowWindow(const Options& options) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "tessarin-x11-test-client: cannot open the display\n");
    return 1;
  }
  Window root = DefaultRootWindow(display);
  Window window = XCreateSimpleWindow(display, root, 10, 10, 200, 100, 1, BlackPixel(display, 0),
                                      WhitePixel(display, 0));
  XStoreName(display, window, options.title.c_str());
  if (options.setPid) {
    Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    unsigned long pid = static_cast<unsigned long>(getpid());
    XChangeProperty(display, window, pidAtom, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&pid), 1);
  }
  if (options.owned) {
    Window owner = XCreateSimpleWindow(display, root, 0, 0, 10, 10, 0, 0, 0);
    XSetTransientForHint(display, window, owner);
  }
  if (!options.hidden) XMapWindow(display, window);
  XSync(display, False);
  if (!options.readyFile.empty()) {
    std::string temporary = options.readyFile + ".part";
    std::ofstream(temporary) << window << '\n';
    std::rename(temporary.c_str(), options.readyFile.c_str());
  }
  XSelectInput(display, window, StructureNotifyMask);
  while (true) {
    XEvent event;
    XNextEvent(display, &event);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) return 2;
  if (!options.inChild) return ShowWindow(options);
  pid_t child = fork();
  if (child < 0) return 1;
  if (child == 0) {
    // The window's process goes with this one.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    return ShowWindow(options);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
