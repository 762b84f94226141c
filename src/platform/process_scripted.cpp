#include "platform/process_scripted.h"

#include "platform/paths.h"
#include "platform/process_table.h"

namespace tessarin::platform {

StartedProcess ScriptedProcesses::Start(const ProcessStart& request) {
  starts.push_back(request);
  if (nextStart) {
    StartedProcess answer = *nextStart;
    nextStart.reset();
    return answer;
  }
  int id = nextProcessId++;
  PathParts parts = SplitPath(request.program);
  processes[id] = {parts.name + parts.extension, 0, true};
  return {true, id, {}};
}

std::optional<std::string> ScriptedProcesses::FindProgram(const std::string& program, const std::string&) {
  if (program.empty() || missingPrograms.count(program) != 0) return std::nullopt;
  return program;
}

bool ScriptedProcesses::IsRunning(int processId) {
  auto found = processes.find(processId);
  return found != processes.end() && found->second.running;
}

std::optional<int> ScriptedProcesses::ExitStatus(int processId) {
  auto found = processes.find(processId);
  if (found == processes.end() || found->second.running) return std::nullopt;
  return found->second.exitStatus;
}

bool ScriptedProcesses::HasName(int processId, const std::string& name) {
  return IsRunning(processId) && ProcessNameMatches(processes[processId].name, {}, name);
}

std::vector<int> ScriptedProcesses::RunningProcesses(std::size_t limit) {
  std::vector<int> ids;
  for (const auto& [id, process] : processes)
    if (process.running && ids.size() < limit) ids.push_back(id);
  return ids;
}

std::vector<int> ScriptedProcesses::ChildProcesses(int processId, std::size_t limit) {
  std::vector<int> ids;
  for (const auto& [id, process] : processes)
    if (process.running && process.parentId == processId && ids.size() < limit) ids.push_back(id);
  return ids;
}

}  // namespace tessarin::platform
