#include <ostream>
#include <sstream>

#include "app/cli/commands.h"
#include "app/cli/option_names.h"
#include "app/cli/script_form_option.h"
#include "app/cli/set_geometry.h"
#include "launch/file_names.h"
#include "platform/headless_host.h"
#include "platform/paths.h"
#include "render/empty_cells.h"
#include "render/rt_script.h"

namespace tessarin::cli {
namespace {

constexpr CommandDescription kRt{
    "rt",
    "Usage: tessarin-cli rt FILE [--set N] [--yes] [--form readable|fast|auto]\n"
    "                       [--time-limit SECONDS] [--allow-system] [--allow-files]\n"
    "\n"
    "Makes the RT script of a parameter set of the parameter file FILE, as the\n"
    "window's \"Make RT script\" does: reads the set's input file again, names\n"
    "and colours its material rows, and writes the script at the set's RT script\n"
    "path (see `tessarin-cli names`). Prints that path on standard output.\n"
    "The reader's messages and the writer's messages go to standard error.\n"
    "Load the script into MGED with its `source` command.\n"
    "When the set shows tracks, the selected tracks of its track data file are\n"
    "drawn into one file per particle type beside the database (see\n"
    "`tessarin-cli tracks draw`), which the script loads; the number of\n"
    "selected tracks goes to standard error. Before the simulator has written\n"
    "the track data file, a note says so and the script draws no tracks.\n"
    "\n"
    "The script comes in two forms that build the same database. The readable\n"
    "form makes every primitive, cell and region with MGED's `in`, `comb` and\n"
    "`r`; MGED's time for it grows with the square of the number of cells\n"
    "(about 4 minutes for 5,000). The fast form stores the same objects with\n"
    "`put` and loads in seconds, and its track drawings are plot files that\n"
    "MGED overlays. The form written goes to standard error.\n"
    "\n"
    "Exit status 0 when the script was written; 1 when the input file could not\n"
    "be read or has errors, when the script could not be written, or when it\n"
    "exists already and --yes is not given (the question the window would ask\n"
    "is the message); 2 for bad usage.\n"
    "\n"
    "  --set N   use set N (counting from 1) instead of the file's current set\n"
    "  --yes     overwrite an existing RT script\n"
    "  --form F  readable, fast, or auto (the default): readable up to 1000 cells,\n"
    "            fast above\n"
    TESSARIN_USER_PROGRAM_OPTIONS_HELP};

// The writer's host on the command line: messages go to standard error,
// except a question, whose text is kept for the command's own message; the
// answer is the one given with --yes, else No.
class CommandLineHost final : public platform::Host {
 public:
  CommandLineHost(std::ostream& err, bool yes) : messages_(err), yes_(yes) {}

  platform::MessageAnswer ShowMessage(std::string_view text, platform::MessageIcon icon,
                                      platform::MessageButtons buttons,
                                      platform::MessageAnswer defaultAnswer) override {
    if (buttons != platform::MessageButtons::YesNo) return messages_.ShowMessage(text, icon, buttons, defaultAnswer);
    question_ = std::string(text);
    return yes_ ? platform::MessageAnswer::Yes : platform::MessageAnswer::No;
  }
  std::optional<std::string> ChooseFileToOpen(const platform::FileChooserRequest&) override { return std::nullopt; }
  std::optional<std::string> ChooseFileToSave(const platform::FileChooserRequest&) override { return std::nullopt; }
  std::optional<std::string> ChooseFolder(std::string_view, std::string_view) override { return std::nullopt; }
  std::optional<platform::Rgb> ChooseColor(platform::Rgb) override { return std::nullopt; }
  platform::Rgb ButtonFaceColor() const override { return messages_.ButtonFaceColor(); }

  const std::string& Question() const { return question_; }

 private:
  platform::HeadlessHost messages_;
  bool yes_;
  std::string question_;
};

void ReportFailure(std::string_view message, CommandIo& io) { io.err << "tessarin-cli rt: " << message << "\n"; }

}  // namespace

int RunRtCommand(const std::vector<std::string>& args, CommandIo& io) {
  ArgumentSpec spec;
  spec.minPositional = 1;
  spec.maxPositional = 1;
  spec.flags.insert(kYesFlag);
  spec.valueOptions.insert(kSetOption);
  spec.valueOptions.insert(kFormOption);
  AddUserProgramOptions(spec);
  CommandStep<ParsedArguments> arguments = ParseCommandArguments(args, spec, kRt, io);
  if (!arguments) return arguments.ExitCode();
  std::optional<UserProgramOptions> programOptions = ReadUserProgramOptions(*arguments, kRt, io);
  if (!programOptions) return kExitUsage;
  const std::optional<render::ScriptForm> form =
      ReadScriptFormOption(*arguments, render::ScriptForm::Auto, kRt, io);
  if (!form) return kExitUsage;
  CommandStep<SetGeometry> geometry = LoadSetGeometry(*arguments, *programOptions, kRt, io);
  if (!geometry) return geometry.ExitCode();
  const SelectedSet& selected = geometry->selected;
  const settings::VIEWPARM& set = geometry->set;

  CommandLineHost host(io.err, arguments->Has(kYesFlag));
  const launch::LaunchContext context = selected.Context();
  std::string scriptPath = platform::AbsolutePath(launch::RtScriptPath(set, context), selected.startupDirectory);
  render::RtScriptRequest request{geometry->model, set, context, scriptPath, launch::InputBaseName(set), true, host,
                                  nullptr};
  request.form = *form;
  render::RtScriptResult result = render::WriteRtScript(request);
  switch (result.outcome) {
    case render::RtScriptOutcome::Written:
      if (const std::string empty = render::EmptyCellsWarning(result.emptyCells); !empty.empty()) io.err << empty << "\n";
      if (result.selectedTracks) io.err << "Number of tracks: " << *result.selectedTracks << "\n";
      io.err << render::ScriptFormSummary(result.form, result.cells) << "\n";
      io.out << scriptPath << "\n";
      // The script is whole, but some of the tracks it was to load are not.
      return selected.ExitCode(result.trackFilesFailed > 0 ? kExitFailure : kExitSuccess);
    case render::RtScriptOutcome::NotOverwritten:
      ReportFailure(host.Question(), io);
      return kExitFailure;
    default:
      return kExitFailure;  // the writer has said why
  }
}

}  // namespace tessarin::cli
