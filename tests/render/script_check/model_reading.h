#pragma once
// Reading an input file into a geometry model for the script checks, with
// the reader's console text kept for the failure message.

#include <string>

#include "input/geometry_model.h"
#include "settings/viewparm.h"

namespace tessarin::render::script_check {

struct ReadModel {
  input::GeometryModel model;
  bool loaded = false;
  std::string console;  // the reader's messages
};

// Reads the input file that `set` names (folder and file name), from
// `startupDirectory` (ending with '/'), as set number `setNumber`.
ReadModel ReadSetInput(const settings::VIEWPARM& set, const std::string& startupDirectory, int setNumber = 1);

// A set whose input file is `inputPath` and whose RT script goes to
// `scriptFolder` (ending with '/').
settings::VIEWPARM SetForInput(const std::string& inputPath, const std::string& scriptFolder);

}  // namespace tessarin::render::script_check
