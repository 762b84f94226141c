// The example input files read completely, and what they define is what
// `tessarin-cli check --dump` has always shown for them.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "input/input_reader.h"
#include "input/model_dump.h"
#include "platform/scripted_console.h"
#include "settings/viewparm.h"
#include "support/test_files.h"

namespace tessarin::input::testing {
namespace {

struct ExampleRead {
  InputReadStatus status = InputReadStatus::Stopped;
  std::string console;
  std::string dump;
};

ExampleRead ReadExample(const std::string& name) {
  const std::string folder = TESSARIN_SOURCE_DIR "/examples/";
  settings::VIEWPARM set = settings::DefaultParameterSet();
  set.InputFileFolder = folder;
  set.InputFN = name;
  platform::ScriptedConsole console;
  GeometryModel model;
  UnavailableUserCodeEngine engine;
  InputReadRequest request{set, {folder, 1}, console, model, engine};
  ExampleRead read;
  read.status = ReadInputFile(request).status;
  read.console = console.text;
  std::ostringstream dump;
  DumpGeometryModel(model, dump);
  read.dump = dump.str();
  return read;
}

class CellExamples : public ::testing::TestWithParam<const char*> {};

TEST_P(CellExamples, ReadCompletelyAndDumpAsRecorded) {
  const std::string name = GetParam();
  ExampleRead read = ReadExample(name + ".inp");
  EXPECT_EQ(read.status, InputReadStatus::Loaded) << read.console;
  std::string expected = tessarin::testing::ReadWholeFile(TESSARIN_TEST_DATA_DIR "/input/cells/" + name + ".dump");
  EXPECT_EQ(read.console + read.dump, expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, CellExamples,
                         ::testing::Values("cells_lattice", "cells_layer", "cells_macrobody", "demo_lattice",
                                           "macrobodies", "surfaces_all_kinds", "transforms"));

}  // namespace
}  // namespace tessarin::input::testing
