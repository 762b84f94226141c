#include "reader_fixture.h"

#include <gtest/gtest.h>

#include "settings/viewparm.h"

namespace tessarin::input::testing {

ReadOutcome ReaderFixture::Read(const std::string& text) {
  UnavailableUserCodeEngine engine;
  return Read(text, engine);
}

ReadOutcome ReaderFixture::Read(const std::string& text, UserCodeEngine& engine) {
  tessarin::testing::WriteWholeFile(folder.File("input.txt"), text);
  settings::VIEWPARM set = settings::DefaultParameterSet();
  set.InputFileFolder = folder.path();
  set.InputFN = "input.txt";
  platform::ScriptedConsole console;
  InputReadRequest request{set, {folder.path(), 1}, console, model, engine};
  InputReadResult result = ReadInputFile(request);
  return {result.status, console.text};
}

const SurfaceRecord& Surface(const GeometryModel& model, int id) {
  int index = model.FindRegularSurface(id);
  EXPECT_GE(index, 0) << "no regular surface " << id;
  static const SurfaceRecord none;
  return index < 0 ? none : model.surfaces[static_cast<std::size_t>(index)];
}

const MacrobodyRecord& Macrobody(const GeometryModel& model, int id) {
  int index = model.FindMacrobody(id);
  EXPECT_GE(index, 0) << "no macrobody " << id;
  static const MacrobodyRecord none;
  return index < 0 ? none : model.macrobodies[static_cast<std::size_t>(index)];
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace tessarin::input::testing
