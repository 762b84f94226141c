#include "app/cli/terminal_read.h"

#include "engine/command_permission.h"
#include "input/engine_user_code.h"
#include "platform/stream_console.h"
#include "platform/terminal_keys.h"

namespace tessarin::cli {

input::InputReadResult ReadInputOnTerminal(const settings::VIEWPARM& set, const launch::LaunchContext& context,
                                           std::ostream& messages, double timeLimit, bool allowSystem,
                                           input::GeometryModel& model,
                                           std::function<void(const std::string&)> hint) {
  platform::TerminalKeys keys;
  platform::StreamConsole::KeySource keySource;
  if (keys.Active()) keySource = [&keys] { return keys.Poll(); };
  platform::StreamConsole console(messages, keySource);
  input::EngineUserCode engine(timeLimit);
  input::InputReadRequest request{set, context, console, model, engine};
  engine::AllowingCommands allowCommands;
  if (allowSystem) request.commandPermission = &allowCommands;
  request.hint = std::move(hint);
  return input::ReadInputFile(request);
}

}  // namespace tessarin::cli
