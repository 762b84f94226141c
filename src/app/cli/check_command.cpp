#include <ostream>

#include "app/cli/commands.h"
#include "app/cli/option_names.h"
#include "app/cli/selected_set.h"
#include "app/cli/terminal_read.h"
#include "input/model_dump.h"
#include "platform/paths.h"
#include "render/empty_cells.h"
#include "settings/viewparm.h"

namespace tessarin::cli {
namespace {

constexpr CommandDescription kCheck{
    "check",
    "Usage: tessarin-cli check INPUT [--params FILE [--set N]] [--dump] [--time-limit SECONDS]\n"
    "                          [--allow-system] [--allow-files]\n"
    "\n"
    "Reads the simulator input file INPUT as the program does before it makes an\n"
    "RT script. The reader's messages (errors, warnings, each followed by a line\n"
    "that says where its directive comes from) go to standard error in order, with\n"
    "hints about skipped keywords that look like misspelt geometry keywords.\n"
    "A successful read prints one line on standard output:\n"
    "  INPUT: read without errors: N cells in N materials, N surfaces, ...\n"
    "Exit status 0 when the read succeeded, 1 when an error stopped it (or INPUT\n"
    "cannot be opened).\n"
    "\n"
    "  --params FILE  take the system variables and the other settings from a\n"
    "                 parameter set of FILE (default: a fresh default set)\n"
    "  --set N        with --params: use set N (counting from 1) instead of the\n"
    "                 file's current set\n"
    "  --dump         after the read, print on standard output what the model\n"
    "                 holds, before the summary line: one record a line, named\n"
    "                 as the input names it, fields as name=value, vectors as\n"
    "                 x,y,z, lists comma-separated, numbers in their shortest\n"
    "                 exact form:\n"
    "                   precision distance=D angle=A maxDistanceRatio=R\n"
    "                   mode 0|1 (simple or complex geometry)  loaded 0|1\n"
    "                   M<n> name=\"...\" (material; \"M0\" is void)\n"
    "                   S<n> kind=plane|sphere|cylinder|cone ... (a surface of the\n"
    "                     file; a macrobody's facet is S<n>.<k>; a surface made\n"
    "                     while copying is #<index>) with its point, direction,\n"
    "                     planeConstant, radius or cone angle\n"
    "                   S<n> kind=RCC|TRC|BOX|RPP|RHP|WED|ARB4|ARB|MB (a\n"
    "                     macrobody), then a \"facet\" line per facet and its\n"
    "                     parameters\n"
    "                   TR<n> origin=x,y,z matrix=m11,...,m33\n"
    "                   C<n> material=M<n> concentration=C surfaces=... senses=...\n"
    "                     enclosingCell=C<n> union=UNION<n>, then a \"bound\" line\n"
    "                     per bounding surface, complements and options\n"
    "                   UNION<n> cells=C<n>,...\n"
    "                   source position=P direction=D ..., then the plane and\n"
    "                     cone settings\n"
    TESSARIN_USER_PROGRAM_OPTIONS_HELP};

// The set the read works with: from --params (and --set), else the default.
CommandStep<SelectedSet> ChooseSet(const ParsedArguments& arguments, CommandIo& io) {
  std::optional<std::string> params = arguments.Value(kParamsOption);
  std::optional<std::string> setNumber = arguments.Value(kSetOption);
  if (!params) {
    if (setNumber) {
      ReportUsageError(kCheck, "--set needs --params", io);
      return CommandStep<SelectedSet>::End(kExitUsage);
    }
    SelectedSet selected;
    selected.list.sets.push_back(settings::DefaultParameterSet());
    selected.startupDirectory = platform::CurrentDirectory();
    return selected;
  }
  std::vector<std::string> setArguments{*params};
  if (setNumber) setArguments.insert(setArguments.end(), {kSetOption, *setNumber});
  return LoadSelectedSet(setArguments, kCheck, true, io);
}

}  // namespace

int RunCheckCommand(const std::vector<std::string>& args, CommandIo& io) {
  ArgumentSpec spec;
  spec.minPositional = 1;
  spec.maxPositional = 1;
  spec.flags.insert(kDumpFlag);
  spec.valueOptions.insert(kParamsOption);
  spec.valueOptions.insert(kSetOption);
  AddUserProgramOptions(spec);
  CommandStep<ParsedArguments> arguments = ParseCommandArguments(args, spec, kCheck, io);
  if (!arguments) return arguments.ExitCode();
  std::optional<UserProgramOptions> programOptions = ReadUserProgramOptions(*arguments, kCheck, io);
  if (!programOptions) return kExitUsage;
  CommandStep<SelectedSet> selected = ChooseSet(*arguments, io);
  if (!selected) return selected.ExitCode();

  settings::VIEWPARM set = selected->set();
  std::string input = platform::AbsolutePath(arguments->positional.front(), selected->startupDirectory);
  platform::PathParts parts = platform::SplitPath(input);
  set.InputFileFolder = parts.folder;
  set.InputFN = parts.name + parts.extension;
  // Reading on request is what this command is for, whatever the set says.
  set.checkSyntax_Tessarin = 1;

  input::GeometryModel model;
  input::InputReadResult result =
      ReadInputOnTerminal(set, selected->Context(), io.err, *programOptions, model,
                          [&io](const std::string& hint) { io.err << hint; });
  if (result.status == input::InputReadStatus::OpenFailed) {
    io.err << "tessarin-cli check: " << result.message << "\n";
    return kExitFailure;
  }
  if (arguments->Has(kDumpFlag)) input::DumpGeometryModel(model, io.out);
  if (result.status == input::InputReadStatus::Loaded) {
    if (const std::string empty = render::EmptyCellsWarning(render::CellsContainingNoPoint(model)); !empty.empty())
      io.err << empty << "\n";
    io.out << result.summary << "\n";
  }
  return selected->ExitCode(result.status == input::InputReadStatus::Loaded ? kExitSuccess : kExitFailure);
}

}  // namespace tessarin::cli
