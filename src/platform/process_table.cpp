#include "platform/process_table.h"

#include <dirent.h>
#include <unistd.h>

#include <charconv>
#include <climits>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "platform/text_case.h"

namespace tessarin::platform {
namespace {

// The kernel keeps 15 characters of a program's name.
constexpr std::size_t kCommandNameLength = 15;

std::string ProcFile(int processId, const char* entry) {
  return "/proc/" + std::to_string(processId) + "/" + entry;
}

std::optional<int> ParseProcessId(std::string_view text) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value <= 0) return std::nullopt;
  return value;
}

template <typename Visit>
void ForEachProcessId(Visit visit) {
  std::unique_ptr<DIR, int (*)(DIR*)> proc(::opendir("/proc"), ::closedir);
  if (!proc) return;
  while (dirent* entry = ::readdir(proc.get())) {
    std::optional<int> id = ParseProcessId(entry->d_name);
    if (id && !visit(*id)) return;
  }
}

}  // namespace

std::optional<ProcessStatus> ReadProcessStatus(int processId) {
  if (processId <= 0) return std::nullopt;
  std::ifstream file(ProcFile(processId, "stat"));
  std::string line((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  // "pid (command) state ppid ...": the command may itself hold blanks and
  // parentheses, so it ends at the last closing parenthesis.
  std::size_t open = line.find('(');
  std::size_t close = line.rfind(')');
  if (open == std::string::npos || close == std::string::npos || close < open) return std::nullopt;
  ProcessStatus status;
  status.command = line.substr(open + 1, close - open - 1);
  std::istringstream rest(line.substr(close + 1));
  if (!(rest >> status.state >> status.parentId)) return std::nullopt;
  return status;
}

std::string ExecutableName(int processId) {
  char buffer[PATH_MAX];
  ssize_t length = ::readlink(ProcFile(processId, "exe").c_str(), buffer, sizeof buffer - 1);
  if (length <= 0) return {};
  std::string_view path(buffer, static_cast<std::size_t>(length));
  // A replaced executable shows as "/path/name (deleted)".
  constexpr std::string_view kDeleted = " (deleted)";
  if (path.size() > kDeleted.size() && path.substr(path.size() - kDeleted.size()) == kDeleted)
    path.remove_suffix(kDeleted.size());
  return std::string(path.substr(path.rfind('/') + 1));
}

std::vector<int> ListProcessIds(std::size_t limit) {
  std::vector<int> ids;
  ForEachProcessId([&](int id) {
    if (ids.size() >= limit) return false;
    ids.push_back(id);
    return true;
  });
  return ids;
}

std::vector<int> ListChildProcesses(int parentId, std::size_t limit) {
  std::vector<int> children;
  ForEachProcessId([&](int id) {
    if (children.size() >= limit) return false;
    std::optional<ProcessStatus> status = ReadProcessStatus(id);
    if (status && status->parentId == parentId && status->state != 'Z') children.push_back(id);
    return true;
  });
  return children;
}

bool ProcessNameMatches(std::string_view executableName, std::string_view command, std::string_view name) {
  if (name.empty()) return false;
  if (EqualsIgnoringCase(executableName, name)) return true;
  if (command.size() < kCommandNameLength) return EqualsIgnoringCase(command, name);
  return name.size() >= kCommandNameLength && EqualsIgnoringCase(command, name.substr(0, kCommandNameLength));
}

}  // namespace tessarin::platform
