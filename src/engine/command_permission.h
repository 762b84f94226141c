#pragma once
// Whether a user program may run commands of the system shell (System).
// Reading an input file never runs a command without the user knowing: the
// reader's caller answers once per reading, before the first command runs.

#include <string_view>

namespace tessarin::engine {

class CommandPermission {
 public:
  virtual ~CommandPermission() = default;
  // Asked on the reader's thread with the first command of a reading; the
  // answer holds for every command of that reading.
  [[nodiscard]] virtual bool AllowCommands(std::string_view firstCommand) = 0;
};

// Allows every command (tessarin-cli with --allow-system).
class AllowingCommands final : public CommandPermission {
 public:
  [[nodiscard]] bool AllowCommands(std::string_view) override { return true; }
};

}  // namespace tessarin::engine
