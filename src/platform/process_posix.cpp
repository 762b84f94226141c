#include "platform/process_posix.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/paths.h"
#include "platform/process_command_line.h"
#include "platform/process_table.h"

namespace tessarin::platform {
namespace {

// The child's end of the pipe that reports a failed chdir or exec.
constexpr int kErrorDescriptor = 3;

struct ChildError {
  int stage = 0;  // 1 chdir, 2 exec
  int number = 0;
};

[[noreturn]] void ReportAndExit(int stage) {
  ChildError error{stage, errno};
  ssize_t ignored = ::write(kErrorDescriptor, &error, sizeof error);
  (void)ignored;
  ::_exit(127);
}

// Runs in the forked child: only async-signal-safe calls until exec.
[[noreturn]] void RunChild(int errorPipe, const char* directory, const char* path, char* const* argv) {
  if (errorPipe != kErrorDescriptor) ::dup2(errorPipe, kErrorDescriptor);
  ::fcntl(kErrorDescriptor, F_SETFD, FD_CLOEXEC);
  ::close_range(kErrorDescriptor + 1, ~0U, 0);
  sigset_t none;
  sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  ::signal(SIGPIPE, SIG_DFL);
  ::setsid();
  if (directory != nullptr && ::chdir(directory) != 0) ReportAndExit(1);
  ::execv(path, argv);
  ReportAndExit(2);
}

// Enough for every start button's process of a session.
constexpr std::size_t kKeptExitStatuses = 64;

int DecodedStatus(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

bool PosixProcesses::Collect(int processId) {
  int status = 0;
  const pid_t collected = ::waitpid(processId, &status, WNOHANG);
  if (collected == 0) return false;
  startedChildren_.erase(processId);
  // Not our child any more (collected elsewhere): ended, how is unknown.
  if (collected != processId) return true;
  exitStatuses_.emplace_back(processId, DecodedStatus(status));
  if (exitStatuses_.size() > kKeptExitStatuses) exitStatuses_.pop_front();
  return true;
}

void PosixProcesses::CollectEndedChildren() {
  std::vector<int> started;
  for (const auto& child : startedChildren_) started.push_back(child.first);
  for (int processId : started)
    if (Collect(processId)) collectedChildren_.insert(processId);
}

std::optional<int> PosixProcesses::ExitStatus(int processId) {
  if (startedChildren_.count(processId) != 0) {
    if (!Collect(processId)) return std::nullopt;
    collectedChildren_.insert(processId);
  }
  for (auto ended = exitStatuses_.rbegin(); ended != exitStatuses_.rend(); ++ended)
    if (ended->first == processId) return ended->second;
  return std::nullopt;
}

StartedProcess PosixProcesses::Start(const ProcessStart& request) {
  CollectEndedChildren();
  StartedProcess result;
  std::string directory = request.directory.empty() ? CurrentDirectory() : request.directory;
  std::optional<std::string> path = FindExecutable(request.program, directory);
  if (!path) {
    result.error = "no executable file \"" + request.program + "\"";
    return result;
  }
  std::vector<std::string> words;
  words.push_back(request.program);
  words.insert(words.end(), request.arguments.begin(), request.arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  int errorPipe[2];
  if (::pipe2(errorPipe, O_CLOEXEC) != 0) {
    result.error = std::strerror(errno);
    return result;
  }
  pid_t child = ::fork();
  if (child < 0) {
    result.error = std::strerror(errno);
    ::close(errorPipe[0]);
    ::close(errorPipe[1]);
    return result;
  }
  if (child == 0) {
    ::close(errorPipe[0]);
    RunChild(errorPipe[1], request.directory.empty() ? nullptr : request.directory.c_str(), path->c_str(),
             argv.data());
  }
  ::close(errorPipe[1]);
  ChildError error;
  ssize_t got;
  do {
    got = ::read(errorPipe[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  ::close(errorPipe[0]);
  if (got == static_cast<ssize_t>(sizeof error)) {
    ::waitpid(child, nullptr, 0);
    result.error = std::string(error.stage == 1 ? "cannot enter \"" + request.directory + "\": "
                                                : "cannot run \"" + *path + "\": ") +
                   std::strerror(error.number);
    return result;
  }
  // End of file without a report: exec has succeeded.
  std::vector<std::string>& names = startedChildren_[child];
  names.push_back(std::filesystem::path(request.program).filename().string());
  std::error_code unresolved;
  std::filesystem::path real = std::filesystem::canonical(*path, unresolved);
  if (!unresolved) names.push_back(real.filename().string());
  result.started = true;
  result.processId = child;
  return result;
}

bool PosixProcesses::IsRunning(int processId) {
  if (collectedChildren_.erase(processId) != 0) return false;
  if (startedChildren_.count(processId) != 0) return !Collect(processId);
  std::optional<ProcessStatus> status = ReadProcessStatus(processId);
  return status && status->state != 'Z' && status->state != 'X';
}

std::optional<std::string> PosixProcesses::FindProgram(const std::string& program, const std::string& directory) {
  return FindExecutable(program, directory);
}

bool PosixProcesses::HasName(int processId, const std::string& name) {
  std::optional<ProcessStatus> status = ReadProcessStatus(processId);
  if (!status) return false;
  if (ProcessNameMatches(ExecutableName(processId), status->command, name)) return true;
  auto started = startedChildren_.find(processId);
  if (started == startedChildren_.end()) return false;
  return std::any_of(started->second.begin(), started->second.end(),
                     [&](const std::string& startName) { return ProcessNameMatches(startName, {}, name); });
}

std::vector<int> PosixProcesses::RunningProcesses(std::size_t limit) {
  CollectEndedChildren();
  return ListProcessIds(limit);
}

std::vector<int> PosixProcesses::ChildProcesses(int processId, std::size_t limit) {
  return ListChildProcesses(processId, limit);
}

}  // namespace tessarin::platform
