// Reads fuzzed bytes as a simulator input file, user programs included: the
// reader must end every input with a status, a stopped read must say why on
// the console, and no file may appear outside the input file's folder. User
// programs get a time limit of a thousand watchdog polls or a second, so a
// program that loops ends quickly.

#include <cstddef>
#include <cstdint>

#include "fuzz_folder.h"
#include "input/engine_user_code.h"
#include "input/geometry_model.h"
#include "input/input_reader.h"
#include "platform/scripted_console.h"
#include "poll_clock.h"
#include "settings/viewparm.h"

namespace {

using namespace tessarin;

constexpr double kProgramTimeLimitSeconds = 1000 * fuzz::PollClock::kSecondsPerPoll;
constexpr const char* kInputName = "input.inp";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzFolder& folder = fuzz::ProcessFolder();
  folder.Write(kInputName, data, size);

  settings::VIEWPARM set = settings::DefaultParameterSet();
  set.InputFileFolder = folder.path();
  set.InputFN = kInputName;
  platform::ScriptedConsole console;
  input::GeometryModel model;
  input::EngineUserCode engine(kProgramTimeLimitSeconds);
  fuzz::PollClock clock;
  input::InputReadRequest request{set, {folder.path(), 1}, console, model, engine, &clock};
  input::InputReadResult result = input::ReadInputFile(request);

  if (result.status == input::InputReadStatus::Stopped && console.text.empty()) __builtin_trap();
  if (result.status == input::InputReadStatus::Loaded && (!model.loaded || model.cells.empty())) __builtin_trap();
  if (folder.SomethingGotOut()) __builtin_trap();
  folder.ClearExcept(kInputName);
  return 0;
}
