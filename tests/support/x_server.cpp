#include "support/x_server.h"

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace tessarin::testing {
namespace {

bool Exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

template <typename Condition>
bool Eventually(Condition done, int milliseconds = 5000) {
  for (int waited = 0; waited < milliseconds; waited += 10) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

}  // namespace

platform::PosixProcesses& XServer::Processes() {
  static platform::PosixProcesses processes;
  return processes;
}

bool XServer::Start() {
  platform::PosixProcesses& processes = Processes();
  for (int number = 50 + ::getpid() % 200, tries = 0; tries < 20; ++number, ++tries) {
    std::string name = ":" + std::to_string(number);
    if (Exists("/tmp/.X11-unix/X" + std::to_string(number)) || Exists("/tmp/.X" + std::to_string(number) + "-lock"))
      continue;
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
    std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
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
