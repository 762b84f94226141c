#pragma once
// The four fields of a set's process state that belong to one program.

#include <cstdint>

#include "launch/process_watch.h"
#include "settings/viewparm.h"

namespace tessarin::launch {

struct ProgramState {
  int& processId;
  std::uint64_t& timerId;
  std::int64_t& listPosition;
  bool& windowSeen;
};

inline ProgramState StateOf(settings::ProcessState& state, WatchedProgram program) {
  if (program == WatchedProgram::Console)
    return {state.consoleProcessId, state.consoleTimerId, state.consoleListPosition, state.consoleWindowSeen};
  return {state.mgedProcessId, state.mgedTimerId, state.mgedListPosition, state.mgedWindowSeen};
}

inline void MakeIdle(settings::ProcessState& state, WatchedProgram program) {
  ProgramState fields = StateOf(state, program);
  fields.processId = 0;
  fields.timerId = 0;
  fields.listPosition = -1;
  fields.windowSeen = false;
}

}  // namespace tessarin::launch
