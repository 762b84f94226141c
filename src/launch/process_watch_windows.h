#pragma once
// The windows that tell whether a started console or MGED is still there:
// the console's is the first window of its process, provided the process is
// the terminal emulator; MGED's are its own and its child processes'.

#include <optional>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/windows.h"

namespace tessarin::launch {

inline constexpr std::size_t kMaxChildProcesses = 100;
inline constexpr std::size_t kMaxWindows = 100;
inline constexpr std::size_t kMaxProcesses = 10000;

struct ConsoleWindow {
  bool found = false;
  bool isConsole = false;  // found, and the process is the terminal emulator
  platform::WindowId window = 0;
};

ConsoleWindow FindConsoleWindow(platform::Processes& processes, platform::Windows& windows, int processId,
                                const std::string& consoleName);

// The process's own first window, if any.
std::optional<platform::WindowId> FindOwnWindow(platform::Windows& windows, int processId);

struct MgedWindows {
  std::vector<int> children;
  std::vector<platform::WindowId> windows;  // of MGED and its children, front-most first
};

MgedWindows FindMgedWindows(platform::Processes& processes, platform::Windows& windows, int processId);

}  // namespace tessarin::launch
