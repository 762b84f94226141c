#include "view3d/scripted_model.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/scripted_host.h"
#include "render/region_rows.h"
#include "render/rt_script.h"
#include "render/script_check/command_run.h"
#include "render/script_check/mged_runner.h"
#include "settings/parameter_file.h"

namespace tessarin::view3d::testing {

namespace check = render::script_check;
using tessarin::testing::ReadWholeFile;
using tessarin::testing::WriteWholeFile;

ScriptedModel::ScriptedModel(const std::string& input, const std::function<void(settings::VIEWPARM&)>& adjust) {
  WriteWholeFile(folder.File("model.inp"), input);
  set = check::SetForInput(folder.File("model.inp"), folder.path());
  set.showTracks = 0;
  set.raytraceInLingeringWindow = 0;
  if (adjust) adjust(set);
  read = check::ReadSetInput(set, folder.path());
  render::PaletteUsage palette;
  palette.CountRows(set.rows);
  if (read.loaded) render::RebuildRegionRows(read.model, set, palette);
}

bool ScriptedModel::MakeDatabase(const std::string& moreCommands) {
  const std::optional<std::string> bin = check::BrlcadBinFolder();
  if (!bin || !read.loaded) return false;
  platform::ScriptedHost host;
  const std::string scriptPath = folder.File("model.rt");
  // The writer may raise the model's precision: it works on a copy.
  input::GeometryModel model = read.model;
  const render::RtScriptRequest request{model, set, {folder.path(), 1}, scriptPath, "model", false, host};
  if (render::WriteRtScript(request).outcome != render::RtScriptOutcome::Written) return false;
  const std::string script = ReadWholeFile(scriptPath);
  database = check::DatabasePath(script);
  std::istringstream lines(script);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("draw ", 0) != 0) continue;
    std::istringstream words(line.substr(5));
    for (std::string word; words >> word;) regions.push_back(word);
  }
  WriteWholeFile(folder.File("headless.rt"), check::HeadlessScript(script) + moreCommands);
  const check::CommandOutcome mged =
      check::RunCommand(check::ShellQuoted(*bin + "/mged") + " -c < " + check::ShellQuoted(folder.File("headless.rt")));
  transcript = mged.output;
  return mged.exitStatus == 0 && transcript.find("rror") == std::string::npos;
}

std::string ScriptedModel::WriteParameterFile() const {
  settings::ParameterSetList list;
  list.sets.push_back(set);
  std::ofstream out(folder.File("model.tesprm"));
  platform::ScriptedHost host;
  if (!settings::WriteParameterFile(out, list, folder.path(), host))
    throw std::runtime_error("cannot write " + folder.File("model.tesprm"));
  return "model.tesprm";
}

int ScriptedModel::RunCli(const std::string& arguments) const {
  const std::string cli = std::string(TESSARIN_BINARY_DIR) + "/bin/tessarin-cli";
  return check::RunCommand("cd " + check::ShellQuoted(folder.path()) + " && " + check::ShellQuoted(cli) + " " +
                               arguments + " 2>" + check::ShellQuoted(folder.File("err.txt")),
                           300)
      .exitStatus;
}

}  // namespace tessarin::view3d::testing
