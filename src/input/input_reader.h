#pragma once
// ReadInputFile: reads the simulator input file of a parameter set the way
// the simulator does, in a pre-scan (user code compiled and run, its output
// captured, precision settings taken) and a main pass (directives validated
// and stored in the geometry model). Messages go to the console in order;
// the first error stops the read.

#include <functional>
#include <string>

#include "input/geometry_model.h"
#include "input/user_code.h"
#include "launch/launch_context.h"
#include "settings/viewparm.h"

namespace tessarin::input {

enum class [[nodiscard]] InputReadStatus {
  SyntaxCheckOff,  // the set's checkSyntax_Tessarin option is off; nothing was read
  OpenFailed,      // the file could not be opened; `message` is the message-box text
  Stopped,         // an error stopped the read; its message is on the console
  Loaded,          // the read succeeded; the model is valid for rendering
};

struct [[nodiscard]] InputReadResult {
  InputReadStatus status = InputReadStatus::Stopped;
  std::string message;
  // Loaded: what the read found, in one line without line end.
  std::string summary = {};
};

struct InputReadRequest {
  const settings::VIEWPARM& set;
  launch::LaunchContext launch;      // start-up directory and set number
  platform::Console& console;
  GeometryModel& model;
  UserCodeEngine& engine;
  platform::Clock* clock = nullptr;  // for the user programs' time limit; the system clock when null
  // Asked before a user program's first System command runs; none refuses.
  engine::CommandPermission* commandPermission = nullptr;
  // Asked before a user program first opens a file that needs the user's yes
  // (outside the input file's folder, not written by its programs, ...);
  // none refuses.
  engine::FilePermission* filePermission = nullptr;
  GeneratedLineLimit generatedLines = {};
  // Given each hint about a skipped keyword that looks misspelt, with its
  // location line; none: no hints.
  std::function<void(const std::string&)> hint = {};
};

InputReadResult ReadInputFile(const InputReadRequest& request);

// Where the set's input file is: its folder (the start-up directory when
// empty) and file name.
std::string InputFilePath(const settings::VIEWPARM& set, const std::string& startupDirectory);

}  // namespace tessarin::input
