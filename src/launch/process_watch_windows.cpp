#include "launch/process_watch_windows.h"

namespace tessarin::launch {

std::optional<platform::WindowId> FindOwnWindow(platform::Windows& windows, int processId) {
  std::vector<platform::WindowId> found = windows.FindWindows({processId}, 1);
  if (found.empty()) return std::nullopt;
  return found.front();
}

ConsoleWindow FindConsoleWindow(platform::Processes& processes, platform::Windows& windows, int processId,
                                const std::string& consoleName) {
  ConsoleWindow result;
  std::optional<platform::WindowId> window = FindOwnWindow(windows, processId);
  if (!window) return result;
  result.found = true;
  result.window = *window;
  result.isConsole = processes.HasName(processId, consoleName);
  return result;
}

MgedWindows FindMgedWindows(platform::Processes& processes, platform::Windows& windows, int processId) {
  MgedWindows result;
  result.children = processes.ChildProcesses(processId, kMaxChildProcesses);
  std::vector<int> owners = result.children;
  owners.insert(owners.begin(), processId);
  result.windows = windows.FindWindows(owners, kMaxWindows);
  return result;
}

}  // namespace tessarin::launch
