#pragma once
// Processes for tests: a table the test fills and changes, and a record of
// every start request.

#include <map>
#include <optional>
#include <set>

#include "platform/process.h"

namespace tessarin::platform {

struct ScriptedProcess {
  std::string name;
  int parentId = 0;
  bool running = true;
  int exitStatus = 0;  // once it no longer runs
};

class ScriptedProcesses final : public Processes {
 public:
  StartedProcess Start(const ProcessStart& request) override;
  std::optional<std::string> FindProgram(const std::string& program, const std::string& directory) override;
  [[nodiscard]] bool IsRunning(int processId) override;
  std::optional<int> ExitStatus(int processId) override;
  [[nodiscard]] bool HasName(int processId, const std::string& name) override;
  std::vector<int> RunningProcesses(std::size_t limit) override;
  std::vector<int> ChildProcesses(int processId, std::size_t limit) override;

  // Without a scripted answer a start succeeds with the next id, and the new
  // process is named after the program's file name.
  std::optional<StartedProcess> nextStart;
  int nextProcessId = 1000;

  // Every program is found, as itself, except these (as the lookup is asked).
  std::set<std::string> missingPrograms;

  std::map<int, ScriptedProcess> processes;
  std::vector<ProcessStart> starts;
};

}  // namespace tessarin::platform
