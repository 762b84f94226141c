#include "platform/windows_scripted.h"

#include <algorithm>

namespace tessarin::platform {

std::vector<WindowId> ScriptedWindows::FindWindows(const std::vector<int>& processIds, std::size_t limit) {
  std::vector<WindowId> found;
  for (const ScriptedWindow& window : windows) {
    if (found.size() >= limit) break;
    if (std::find(processIds.begin(), processIds.end(), window.processId) != processIds.end())
      found.push_back(window.id);
  }
  return found;
}

}  // namespace tessarin::platform
