#pragma once
// What /proc tells about processes: which exist, their state, parent and
// names. Plain functions so that the spawning side and tests share them.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin::platform {

struct ProcessStatus {
  char state = '?';     // 'R', 'S', 'Z', ... as the kernel reports it
  int parentId = 0;
  std::string command;  // the kernel's short name, at most 15 characters
};

// Empty when the process does not exist (or has already been reaped).
std::optional<ProcessStatus> ReadProcessStatus(int processId);

// The file name of the process's executable; empty when it cannot be read
// (another user's process, or one that has ended).
std::string ExecutableName(int processId);

// Every numeric entry of /proc, in directory order, at most `limit`.
std::vector<int> ListProcessIds(std::size_t limit);

// The processes whose parent is `parentId`, at most `limit`.
std::vector<int> ListChildProcesses(int parentId, std::size_t limit);

// Whether a process with this executable file name and short command name
// runs the program `name`; names are compared without regard to case, and
// the short name, which the kernel cuts, only as far as it goes.
[[nodiscard]] bool ProcessNameMatches(std::string_view executableName, std::string_view command, std::string_view name);

}  // namespace tessarin::platform
