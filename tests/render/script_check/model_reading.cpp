#include "render/script_check/model_reading.h"

#include "input/engine_user_code.h"
#include "input/input_reader.h"
#include "platform/paths.h"
#include "platform/scripted_console.h"

namespace tessarin::render::script_check {

ReadModel ReadSetInput(const settings::VIEWPARM& set, const std::string& startupDirectory, int setNumber) {
  ReadModel read;
  platform::ScriptedConsole console;
  input::EngineUserCode engine(60);
  input::InputReadRequest request{set, {startupDirectory, setNumber}, console, read.model, engine};
  read.loaded = input::ReadInputFile(request).status == input::InputReadStatus::Loaded;
  read.console = console.text;
  return read;
}

settings::VIEWPARM SetForInput(const std::string& inputPath, const std::string& scriptFolder) {
  settings::VIEWPARM set = settings::DefaultParameterSet();
  platform::PathParts parts = platform::SplitPath(inputPath);
  set.InputFileFolder = parts.folder;
  set.InputFN = parts.name + parts.extension;
  set.ScriptFolder = scriptFolder;
  set.checkSyntax_Tessarin = 1;
  return set;
}

}  // namespace tessarin::render::script_check
