#include "app/cli/terminal_read.h"

#include "engine/command_permission.h"
#include "engine/file_permission.h"
#include "input/engine_user_code.h"
#include "platform/stream_console.h"
#include "platform/terminal_keys.h"

namespace tessarin::cli {

input::InputReadResult ReadInputOnTerminal(const settings::VIEWPARM& set, const launch::LaunchContext& context,
                                           std::ostream& messages, const UserProgramOptions& options,
                                           input::GeometryModel& model,
                                           std::function<void(const std::string&)> hint) {
  platform::TerminalKeys keys;
  platform::StreamConsole::KeySource keySource;
  if (keys.Active()) keySource = [&keys] { return keys.Poll(); };
  platform::StreamConsole console(messages, keySource);
  input::EngineUserCode engine(options.timeLimit);
  input::InputReadRequest request{set, context, console, model, engine};
  engine::AllowingCommands allowCommands;
  if (options.allowSystem) request.commandPermission = &allowCommands;
  engine::AllowingFiles allowFiles;
  if (options.allowFiles) request.filePermission = &allowFiles;
  request.hint = std::move(hint);
  return input::ReadInputFile(request);
}

}  // namespace tessarin::cli
