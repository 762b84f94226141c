#pragma once
// Processes on Linux: programs are started with fork and exec in a session
// of their own, so that they outlive this program, and /proc answers the
// questions about running processes.

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/process.h"

namespace tessarin::platform {

class PosixProcesses final : public Processes {
 public:
  StartedProcess Start(const ProcessStart& request) override;
  std::optional<std::string> FindProgram(const std::string& program, const std::string& directory) override;
  [[nodiscard]] bool IsRunning(int processId) override;
  std::optional<int> ExitStatus(int processId) override;
  [[nodiscard]] bool HasName(int processId, const std::string& name) override;
  std::vector<int> RunningProcesses(std::size_t limit) override;
  std::vector<int> ChildProcesses(int processId, std::size_t limit) override;

 private:
  // Children we started and have not yet collected, with the names they were
  // started by. An ended child stays a zombie, holding its id, until it is
  // collected here; so an id in this table cannot belong to another process.
  std::map<int, std::vector<std::string>> startedChildren_;
  // Children collected by a sweep before anyone asked about them: they have
  // ended, whatever process may have taken their id since.
  std::set<int> collectedChildren_;
  // How the most recently collected children ended, oldest first.
  std::deque<std::pair<int, int>> exitStatuses_;

  // Collects the child if it has ended; true when it has.
  [[nodiscard]] bool Collect(int processId);

  // Collects every started child that has ended, so that children nobody
  // watches any more (a reset button, an Open) do not stay zombies.
  void CollectEndedChildren();
};

}  // namespace tessarin::platform
