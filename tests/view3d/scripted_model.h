#pragma once
// A model for the picture tests: an input file read with a set whose view a
// test chooses, the database its RT script builds through BRL-CAD's MGED,
// and the set written as a parameter file for tessarin-cli.

#include <functional>
#include <string>
#include <vector>

#include "render/script_check/model_reading.h"
#include "support/test_files.h"

namespace tessarin::view3d::testing {

struct ScriptedModel {
  tessarin::testing::TempDir folder;
  settings::VIEWPARM set;
  render::script_check::ReadModel read;
  std::string database;              // after MakeDatabase
  std::vector<std::string> regions;  // the regions the script draws
  std::string transcript;            // MGED's

  // `input`: the input file's text; `adjust` changes the set (its view).
  ScriptedModel(const std::string& input, const std::function<void(settings::VIEWPARM&)>& adjust);

  // Writes the RT script and runs it through MGED with `moreCommands`
  // after it; false (with the transcript) when MGED is missing or failed.
  bool MakeDatabase(const std::string& moreCommands = "");
  // The set alone as a parameter file in the folder; returns its name.
  std::string WriteParameterFile() const;
  // tessarin-cli in the folder; its standard error goes to err.txt.
  int RunCli(const std::string& arguments) const;
};

}  // namespace tessarin::view3d::testing
