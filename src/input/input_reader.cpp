#include "input/input_reader.h"

#include <array>
#include <iterator>
#include <map>
#include <optional>

#include "input/directive_context.h"
#include "input/directive_table.h"
#include "input/input_file.h"
#include "input/keyword_hint.h"
#include "input/read_summary.h"
#include "input/layer_geometry.h"
#include "input/messages.h"
#include "input/numbers.h"
#include "input/token_reader.h"
#include "input/user_code_blocks.h"
#include "launch/file_names.h"
#include "launch/run_folders.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/format_text.h"
#include "platform/paths.h"
#include "platform/text_case.h"

namespace tessarin::input {
namespace {

class InputReader {
 public:
  InputReader(const InputReadRequest& request, InputFile& file, UserCodeSession* session,
              std::string unavailableMessage)
      : request_(request),
        file_(file),
        tokens_(file, request.console),
        blocks_(file, session, std::move(unavailableMessage), request.generatedLines),
        context_(request.model, tokens_, request.console, state_) {}

  // Both passes; false when an error stopped the read.
  bool ReadPasses();
  const ReaderState& state() const { return state_; }
  int ProgramCount() const { return blocks_.ProgramCount(); }

 private:
  void RunPass(int pass);
  bool HandleDirective(const DirectiveSpec& spec, std::string_view token);
  bool HandleInMainPass(const DirectiveSpec& spec, std::string_view token);
  void HintAtSkipped(std::string_view token);
  bool PassGoesOn() const { return state_.pass == 0 ? !state_.preScanEnded : !state_.failed; }

  const InputReadRequest& request_;
  InputFile& file_;
  ReaderState state_;
  TokenReader tokens_;
  UserCodeBlocks blocks_;
  DirectiveContext context_;
  std::map<const DirectiveSpec*, int> counters_;
};

bool InputReader::ReadPasses() {
  RunPass(0);
  RunPass(1);
  return !state_.failed;
}

void InputReader::RunPass(int pass) {
  state_.pass = pass;
  counters_.clear();
  if (pass == 1) file_.Seek(0, 0);
  tokens_.BeginPass(pass == 1);
  blocks_.BeginPass(pass);
  while (PassGoesOn()) {
    tokens_.BeginDirective();
    std::optional<std::string_view> first = tokens_.NextToken();
    if (!first) return;
    const DirectiveSpec* spec = MatchDirective(*first, tokens_.ReadingProgramOutput());
    if (spec == nullptr) {
      if (pass == 1 && request_.hint) HintAtSkipped(*first);
      tokens_.SkipDirective();
      continue;
    }
    std::string token(*first);
    if (!HandleDirective(*spec, token)) return;
    if (spec->counted && ++counters_[spec] > 1) {
      context_.Fail(platform::FormatText(messages::kKeywordRepeated, platform::ToUpper(spec->keyword).c_str()));
      return;
    }
  }
}

void InputReader::HintAtSkipped(std::string_view token) {
  std::optional<std::string> keyword = NearGeometryKeyword(token);
  if (!keyword) return;
  // The location names the directive's whole text, so read it first.
  std::string written(token);
  tokens_.SkipDirective();
  request_.hint(platform::FormatText(messages::kKeywordHint, written.c_str(), keyword->c_str()) +
                DescribeOrigin(tokens_.Origin()));
}

bool InputReader::HandleDirective(const DirectiveSpec& spec, std::string_view token) {
  if (spec.handler == nullptr) return blocks_.Handle(context_, spec.block, spec.keyword);
  if (state_.pass == 1) return HandleInMainPass(spec, token);
  if (spec.alsoInPreScan) {
    DirectiveCall call{std::string(token), spec.name, 0, false};
    return spec.handler(context_, call);
  }
  tokens_.SkipDirective();
  return true;
}

bool InputReader::HandleInMainPass(const DirectiveSpec& spec, std::string_view token) {
  DirectiveCall call{std::string(token), spec.name, 0, token.front() == '*'};
  if (spec.prefixed) {
    std::optional<std::int32_t> identifier = ParseIdentifier(token.substr(std::char_traits<char>::length(spec.keyword)));
    if (!identifier) return context_.Fail(platform::FormatText(spec.formatMessage, call.keyword.c_str()));
    call.identifier = *identifier;
  }
  if (!ApplyModeRule(context_, spec)) return false;
  return spec.handler(context_, call);
}

void ApplySourceDefaults(SourceSpec& source, const ReaderState& state) {
  if (!state.sourcePositionGiven) {
    source.positionType = 1;
    source.centre = {0, 0, 0};
    source.beamStart = source.centre;
  }
  if (!state.sourceDirectionGiven) {
    source.directionType = 1;
    source.direction = {0, 0, 1};
  }
}

void ReserveWorkPoints(GeometryModel& model) {
  for (const CellRecord& cell : model.cells) model.maxCellSurfaces = std::max<int>(model.maxCellSurfaces, cell.surfaceCount());
  std::size_t n = static_cast<std::size_t>(model.maxCellSurfaces);
  model.workPoints.assign(std::max<std::size_t>(1, n * (n > 0 ? n - 1 : 0) / 2), Vec3{});
}

}  // namespace

std::string InputFilePath(const settings::VIEWPARM& set, const std::string& startupDirectory) {
  // A backslash in the name is part of it, as for the simulator.
  return platform::AbsolutePath(platform::WithTrailingSeparator(set.InputFileFolder) + set.InputFN, startupDirectory);
}

InputReadResult ReadInputFile(const InputReadRequest& request) {
  GeometryModel& model = request.model;
  platform::Console& console = request.console;
  model.loaded = false;
  if (!request.set.checkSyntax_Tessarin) return {InputReadStatus::SyntaxCheckOff, {}};
  std::string path = InputFilePath(request.set, request.launch.startupDirectory);
  InputFile file;
  if (!file.Open(path)) return {InputReadStatus::OpenFailed, platform::FormatText(messages::kOpenFailed, path.c_str())};

  ClearGeometryModel(model);
  if (console.IsOpen()) console.Close();
  console.Open();
  console.SetCloseEnabled(false);

  UserCodeSetup setup;
  std::copy(request.set.systemVariables.begin(), request.set.systemVariables.end(), setup.systemVariables.begin());
  setup.console = &console;
  setup.clock = request.clock != nullptr ? request.clock : &platform::SystemClock();
  setup.commandPermission = request.commandPermission;
  setup.inputFolder = platform::SplitPath(path).folder;
  setup.workingFolder = launch::ConsoleDirectory(request.set, request.launch.startupDirectory);
  setup.filePermission = request.filePermission;
  std::string unavailable;
  std::unique_ptr<UserCodeSession> session = request.engine.OpenSession(setup, unavailable);

  InputReader reader(request, file, session.get(), unavailable);
  bool read = reader.ReadPasses();
  console.SetCloseEnabled(true);
  if (!read) return {InputReadStatus::Stopped, {}};
  file.Close();

  if (model.GeometryMode == kGeometryModeSimple) CompleteLayerGeometry(model, reader.state().layerThickness);
  if (model.cells.empty()) {
    console.Write(messages::kNoCells);
    return {InputReadStatus::Stopped, {}};
  }
  ApplySourceDefaults(model.source, reader.state());
  model.rtScriptPath = launch::RtScriptPath(request.set, request.launch);
  model.loaded = true;
  ReserveWorkPoints(model);
  if (!console.HasText()) {
    console.Hide();
    console.Close();
  }
  return {InputReadStatus::Loaded, {}, ReadSummary(model, file.Name(), reader.ProgramCount())};
}

}  // namespace tessarin::input
