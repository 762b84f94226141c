#include "launch/process_watch.h"

#include <algorithm>

#include "launch/process_watch_state.h"
#include "launch/process_watch_windows.h"

namespace tessarin::launch {

ProcessWatch::ProcessWatch(WatchedSets sets, platform::Processes& processes, platform::Windows& windows,
                           platform::Timers& timers, std::string consoleName)
    : sets_(sets), processes_(processes), windows_(windows), timers_(timers), consoleName_(std::move(consoleName)) {}

template <typename Change>
void ProcessWatch::ChangeState(int setIndex, Change change) {
  if (setIndex >= 0 && static_cast<std::size_t>(setIndex) < sets_.sets.size())
    change(sets_.sets[static_cast<std::size_t>(setIndex)].process);
  if (setIndex == sets_.currentIndex) change(sets_.workingCopy.process);
}

void ProcessWatch::Watch(WatchedProgram program, int processId) {
  std::uint64_t timerId = ++timerCounter_;
  timers_.Start(timerId, kPeriod);
  std::vector<Entry>& list = List(program);
  auto position = static_cast<std::int64_t>(list.size());
  int setIndex = sets_.currentIndex;
  list.push_back({setIndex, timerId});
  ChangeState(setIndex, [&](settings::ProcessState& state) {
    ProgramState fields = StateOf(state, program);
    fields.processId = processId;
    fields.timerId = timerId;
    fields.listPosition = position;
    fields.windowSeen = false;
  });
}

void ProcessWatch::Reset(WatchedProgram program) {
  const std::vector<Entry>& list = List(program);
  int current = sets_.currentIndex;
  auto entry = std::find_if(list.begin(), list.end(), [&](const Entry& e) { return e.setIndex == current; });
  if (entry != list.end()) {
    StopWatching(program, static_cast<std::size_t>(entry - list.begin()));
    return;
  }
  ChangeState(current, [&](settings::ProcessState& state) { MakeIdle(state, program); });
}

void ProcessWatch::TimerTick(std::uint64_t timerId) {
  for (WatchedProgram program : {WatchedProgram::Console, WatchedProgram::Mged}) {
    std::vector<Entry>& list = List(program);
    for (std::size_t position = 0; position < list.size(); ++position) {
      if (list[position].timerId != timerId) continue;
      if (!StillWatched(program, list[position].setIndex)) StopWatching(program, position);
      return;
    }
  }
}

bool ProcessWatch::StillWatched(WatchedProgram program, int setIndex) {
  if (setIndex < 0 || static_cast<std::size_t>(setIndex) >= sets_.sets.size()) return false;
  settings::ProcessState& state = sets_.sets[static_cast<std::size_t>(setIndex)].process;
  ProgramState fields = StateOf(state, program);
  if (!processes_.IsRunning(fields.processId)) return false;
  bool windowFound = false;
  if (program == WatchedProgram::Console) {
    ConsoleWindow console = FindConsoleWindow(processes_, windows_, fields.processId, consoleName_);
    if (console.found && !console.isConsole) return false;
    windowFound = console.found;
  } else {
    windowFound = FindOwnWindow(windows_, fields.processId).has_value();
  }
  if (windowFound) {
    ChangeState(setIndex, [&](settings::ProcessState& s) { StateOf(s, program).windowSeen = true; });
    return true;
  }
  if (!fields.windowSeen) return true;  // not yet created
  // MGED's window may have gone while a child it started (a raytrace, the
  // frame-buffer server) still runs; MGED is still at work then.
  return program == WatchedProgram::Mged && !processes_.ChildProcesses(fields.processId, 1).empty();
}

void ProcessWatch::StopWatching(WatchedProgram program, std::size_t position) {
  std::vector<Entry>& list = List(program);
  Entry entry = list[position];
  timers_.Stop(entry.timerId);
  list.erase(list.begin() + static_cast<std::ptrdiff_t>(position));
  ChangeState(entry.setIndex, [&](settings::ProcessState& state) { MakeIdle(state, program); });
  RenumberPositions(program);
}

void ProcessWatch::RenumberPositions(WatchedProgram program) {
  const std::vector<Entry>& list = List(program);
  for (std::size_t position = 0; position < list.size(); ++position) {
    ChangeState(list[position].setIndex, [&](settings::ProcessState& state) {
      StateOf(state, program).listPosition = static_cast<std::int64_t>(position);
    });
  }
}

void ProcessWatch::OnSetDeleted(int index) {
  for (WatchedProgram program : {WatchedProgram::Console, WatchedProgram::Mged}) {
    std::vector<Entry>& list = List(program);
    for (const Entry& entry : list)
      if (entry.setIndex == index) timers_.Stop(entry.timerId);
    std::erase_if(list, [&](const Entry& entry) { return entry.setIndex == index; });
    for (Entry& entry : list)
      if (entry.setIndex > index) --entry.setIndex;
    RenumberPositions(program);
  }
}

void ProcessWatch::OnSetInserted(int index) {
  for (WatchedProgram program : {WatchedProgram::Console, WatchedProgram::Mged})
    for (Entry& entry : List(program))
      if (entry.setIndex >= index) ++entry.setIndex;
}

void ProcessWatch::ForgetAll() {
  for (WatchedProgram program : {WatchedProgram::Console, WatchedProgram::Mged}) {
    for (const Entry& entry : List(program)) timers_.Stop(entry.timerId);
    List(program).clear();
    for (settings::VIEWPARM& set : sets_.sets) MakeIdle(set.process, program);
    MakeIdle(sets_.workingCopy.process, program);
  }
}

std::vector<int> ProcessWatch::WatchedSetIndices(WatchedProgram program) const {
  std::vector<int> indices;
  for (const Entry& entry : List(program)) indices.push_back(entry.setIndex);
  return indices;
}

}  // namespace tessarin::launch
