#include "render/script_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

#include "input/input_reader.h"
#include "input/user_code.h"
#include "platform/scripted_console.h"

namespace tessarin::render::testing {

ScriptFixture::ScriptFixture() {
  set = settings::DefaultParameterSet();
  set.InputFileFolder = folder.path();
  set.InputFN = "geometry.inp";
  set.showTracks = 0;
  scriptPath = folder.File("geometry.rt");
}

bool ScriptFixture::Read(const std::string& input) {
  tessarin::testing::WriteWholeFile(folder.File("geometry.inp"), "COMPLEX_GEOMETRY 1\n" + input);
  input::UnavailableUserCodeEngine engine;
  platform::ScriptedConsole scripted;
  input::InputReadRequest request{set, {folder.path(), 1}, scripted, model, engine};
  const input::InputReadResult result = input::ReadInputFile(request);
  console = scripted.text;
  return result.status == input::InputReadStatus::Loaded;
}

RtScriptResult ScriptFixture::Write() {
  RtScriptRequest request{model, set, {folder.path(), 1}, scriptPath, "geometry", overwritePrompt, host, clipboard};
  RtScriptResult result = WriteRtScript(request);
  script = tessarin::testing::ReadWholeFile(scriptPath);
  return result;
}

std::string ScriptFixture::ScriptOf(const std::string& input) {
  EXPECT_TRUE(Read(input)) << console;
  EXPECT_EQ(Write().outcome, RtScriptOutcome::Written) << console;
  return script;
}

std::string LinesStartingWith(const std::string& text, const std::string& prefix) {
  std::istringstream lines(text);
  std::string line, found;
  while (std::getline(lines, line))
    if (line.rfind(prefix, 0) == 0) found += line + "\n";
  return found;
}

}  // namespace tessarin::render::testing
