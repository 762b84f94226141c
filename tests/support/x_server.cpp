#include "support/x_server.h"

#include "support/eventually.h"

#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace tessarin::testing {
platform::PosixProcesses& XServer::Processes() {
  static platform::PosixProcesses processes;
  return processes;
}

bool XServer::Start() {
  platform::PosixProcesses& processes = Processes();
  for (int number = 50 + ::getpid() % 200, tries = 0; tries < 20; ++number, ++tries) {
    std::string name = ":" + std::to_string(number);
    std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
    if (PathExists("/tmp/.X11-unix/X" + std::to_string(number)) || PathExists(lock)) continue;
    // Without -noreset the server restarts whenever its last client leaves,
    // refusing connections meanwhile.
    platform::StartedProcess server =
        processes.Start({"Xvfb", {name, "-noreset", "-nolisten", "tcp", "-screen", "0", "800x600x24"}, ""});
    if (!server.started) {
      failure_ = "Xvfb could not be started: " + server.error;
      return false;
    }
    // Another test program may have taken the same display just now: the
    // lock file names the server that owns it.
    bool up = Eventually([&] {
      if (!processes.IsRunning(server.processId)) return true;
      int owner = 0;
      if (!(std::ifstream(lock) >> owner) || owner != server.processId) return false;
      Display* display = XOpenDisplay(name.c_str());
      if (display == nullptr) return false;
      XCloseDisplay(display);
      return true;
    });
    if (up && processes.IsRunning(server.processId)) {
      serverId_ = server.processId;
      display_ = name;
      ::setenv("DISPLAY", name.c_str(), 1);
      return true;
    }
    ::kill(server.processId, SIGKILL);
  }
  failure_ = "no free display for Xvfb";
  return false;
}

void XServer::Stop() {
  if (serverId_ != 0) ::kill(serverId_, SIGTERM);
  serverId_ = 0;
  display_.clear();
}

}  // namespace tessarin::testing
