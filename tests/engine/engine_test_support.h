#pragma once
// Compiling and running blocks the way the reader does, for engine tests.

#include <string>
#include <vector>

#include "engine/command_permission.h"
#include "engine/compiler.h"
#include "engine/file_permission.h"
#include "platform/scripted_console.h"

namespace tessarin::engine::testing {

// A block's text as the reader hands it over: the rest of the opening line
// (empty here) and then the body lines, each followed by CR LF.
std::string BlockText(const std::vector<std::string>& bodyLines, const std::string& openingRest = "");

struct Outcome {
  int status = 0;
  std::string message;
  int line = -1;
  std::vector<std::string> lines;  // generated directive lines, with "\n"
  std::string console;
  bool fatal = false;
};

class EngineHarness {
 public:
  EngineHarness() : compiler(&console) {}
  // Adds and compiles a block; PROGRAM and PARAMETERS blocks are run.
  Outcome Block(BlockKind kind, const std::string& name, const std::vector<std::string>& body,
                const std::string& openingRest = "");
  Outcome Program(const std::vector<std::string>& body) { return Block(BlockKind::kProgram, "p", body); }
  // The value a one-statement program computes, read back through Dir.
  std::string Value(const std::string& expression);

  platform::ScriptedConsole console;
  Compiler compiler;
};

// Answers every question of a reading the same way and keeps what it was
// asked.
class RecordingPermission final : public CommandPermission, public FilePermission {
 public:
  explicit RecordingPermission(bool answer) : answer_(answer) {}
  bool AllowCommands(std::string_view firstCommand) override { return Record(firstCommand); }
  bool AllowFiles(std::string_view firstPath, std::string_view reason) override {
    reasons.emplace_back(reason);
    return Record(firstPath);
  }
  std::vector<std::string> asked;
  std::vector<std::string> reasons;  // of the file questions

 private:
  bool Record(std::string_view subject) {
    asked.emplace_back(subject);
    return answer_;
  }
  bool answer_;
};

}  // namespace tessarin::engine::testing
