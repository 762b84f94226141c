#pragma once
// Writing the RT script of an input file given as text: the file is read
// the way the program reads it, then the script is written with a set the
// test adjusts, answered by a scripted host.

#include <string>

#include "input/geometry_model.h"
#include "platform/scripted_host.h"
#include "render/rt_script.h"
#include "settings/viewparm.h"
#include "support/test_files.h"

namespace tessarin::render::testing {

class ScriptFixture {
 public:
  ScriptFixture();

  // Reads `input`; false (with the console in `console`) when the read failed.
  bool Read(const std::string& input);
  // Writes the script for the model read last; the text is in `script`.
  RtScriptResult Write();
  // Read and write in one; fails the test when the read fails.
  std::string ScriptOf(const std::string& input);

  settings::VIEWPARM set;
  input::GeometryModel model;
  platform::ScriptedHost host;
  tessarin::testing::TempDir folder;
  std::string scriptPath;
  std::string console;
  std::string script;
  bool overwritePrompt = false;
  platform::Clipboard* clipboard = nullptr;
};

// The lines of `text` that begin with `prefix`.
std::string LinesStartingWith(const std::string& text, const std::string& prefix);

}  // namespace tessarin::render::testing
