#include "engine/shell_command.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/process_table.h"

extern char** environ;

namespace tessarin::engine {
namespace {

constexpr std::size_t kMostProcesses = 4096;

// Ends the command's shell and whatever it started. Each process is frozen
// as it is found, so that none can start another behind the search.
void EndProcessTree(pid_t root) {
  std::vector<int> tree{root};
  ::kill(root, SIGSTOP);
  for (std::size_t next = 0; next < tree.size() && tree.size() < kMostProcesses; ++next) {
    for (int child : platform::ListChildProcesses(tree[next], kMostProcesses)) {
      if (std::find(tree.begin(), tree.end(), child) != tree.end()) continue;
      ::kill(child, SIGSTOP);
      tree.push_back(child);
    }
  }
  for (int process : tree) ::kill(process, SIGKILL);
}

}  // namespace

int RunShellCommand(const std::string& command, const std::atomic<bool>& stop) {
  std::string shell = "sh", option = "-c", text = command;
  char* arguments[] = {shell.data(), option.data(), text.data(), nullptr};
  pid_t child = -1;
  if (::posix_spawn(&child, "/bin/sh", nullptr, nullptr, arguments, environ) != 0) return -1;
  int status = 0;
  for (;;) {
    pid_t done = ::waitpid(child, &status, WNOHANG);
    if (done == child) break;
    if (done < 0) return -1;
    if (stop.load(std::memory_order_acquire)) {
      EndProcessTree(child);
      ::waitpid(child, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tessarin::engine
