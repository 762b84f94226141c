#pragma once
// Reading an input file given as text, the way the program reads it, with
// the console kept for the test to look at.

#include <string>

#include "input/geometry_model.h"
#include "input/input_reader.h"
#include "input/user_code.h"
#include "platform/scripted_console.h"
#include "support/test_files.h"

namespace tessarin::input::testing {

struct ReadOutcome {
  InputReadStatus status = InputReadStatus::Stopped;
  std::string console;  // the messages the read printed, without their location lines
  std::string printed;  // everything the read printed
  std::string summary;
};

// `printed` without the lines that say where a message comes from.
std::string WithoutLocations(const std::string& printed);

class ReaderFixture {
 public:
  // Reads `text` as an input file into `model` (kept between calls, like the
  // program's model).
  ReadOutcome Read(const std::string& text);
  ReadOutcome Read(const std::string& text, UserCodeEngine& engine);

  GeometryModel model;
  GeneratedLineLimit generatedLines;
  tessarin::testing::TempDir folder;
};

// The index of the regular surface `id`; fails the test when absent.
const SurfaceRecord& Surface(const GeometryModel& model, int id);
const MacrobodyRecord& Macrobody(const GeometryModel& model, int id);

// Whether `text` contains `part`, for readable assertions.
bool Contains(const std::string& text, const std::string& part);

}  // namespace tessarin::input::testing
