#pragma once
// The watch over the consoles and MGED processes started for the parameter
// sets: one list per program of the sets whose process is watched, in start
// order, a 200 ms timer per watched process, and the process state kept in
// each set (and in the working copy when the set is the current one).

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/timers.h"
#include "platform/windows.h"
#include "settings/viewparm.h"

namespace tessarin::launch {

enum class WatchedProgram { Console, Mged };

// The controller's parameter sets, as the watch sees them.
struct WatchedSets {
  std::vector<settings::VIEWPARM>& sets;
  const int& currentIndex;
  settings::VIEWPARM& workingCopy;
};

class ProcessWatch {
 public:
  static constexpr std::chrono::milliseconds kPeriod{200};

  // `consoleName` is the executable name that the console's process must
  // have for its window to count as the console's.
  ProcessWatch(WatchedSets sets, platform::Processes& processes, platform::Windows& windows,
               platform::Timers& timers, std::string consoleName);

  // The console runs in another terminal from now on.
  void SetConsoleName(std::string consoleName) { consoleName_ = std::move(consoleName); }

  // Starts watching `processId` for the current set.
  void Watch(WatchedProgram program, int processId);

  // Stops watching the current set's process and makes its state idle.
  void Reset(WatchedProgram program);

  // Checks the process whose timer fired; one that has gone (or whose window
  // has gone) is no longer watched.
  void TimerTick(std::uint64_t timerId);

  // Call after the set has been erased from, or inserted into, the list.
  void OnSetDeleted(int index);
  void OnSetInserted(int index);

  // Stops every timer and forgets every process (they keep running).
  void ForgetAll();

  // The watched sets' indices, in start order.
  std::vector<int> WatchedSetIndices(WatchedProgram program) const;

 private:
  struct Entry {
    int setIndex;
    std::uint64_t timerId;
  };
  std::vector<Entry>& List(WatchedProgram program) { return program == WatchedProgram::Console ? consoles_ : mgeds_; }
  const std::vector<Entry>& List(WatchedProgram program) const {
    return program == WatchedProgram::Console ? consoles_ : mgeds_;
  }
  // One tick's look at a watched process: false once it is to be forgotten.
  [[nodiscard]] bool StillWatched(WatchedProgram program, int setIndex);
  void StopWatching(WatchedProgram program, std::size_t position);
  // Applies `change` to the set's process state, and to the working copy's
  // when the set is the current one.
  template <typename Change>
  void ChangeState(int setIndex, Change change);
  // A set's list position is its entry's index in the list.
  void RenumberPositions(WatchedProgram program);

  WatchedSets sets_;
  platform::Processes& processes_;
  platform::Windows& windows_;
  platform::Timers& timers_;
  std::string consoleName_;
  std::vector<Entry> consoles_;
  std::vector<Entry> mgeds_;
  std::uint64_t timerCounter_ = 0;
};

}  // namespace tessarin::launch
