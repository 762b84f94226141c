#include "engine/compiler.h"

#include "engine/block_compiler.h"
#include "engine/builtins.h"
#include "engine/formal_parameters.h"
#include "engine/machine.h"
#include "engine/messages.h"
#include "engine/names.h"
#include "engine/program_runner.h"
#include "platform/clock.h"

namespace tessarin::engine {

std::vector<std::string> BlockLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

Compiler::Compiler(platform::Console* console, platform::Clock* clock)
    : console_(console),
      clock_(clock ? clock : &platform::SystemClock()),
      machine_(std::make_unique<Machine>(tables_, interrupt_)),
      runner_(std::make_unique<ProgramRunner>(*machine_, interrupt_, console_, *clock_)) {}

Compiler::~Compiler() = default;

void Compiler::SetSystemVariable(int index, double value) {
  if (index >= 0 && index < kSystemVariableCount) tables_.systemVariables[index] = value;
}

double Compiler::SystemVariable(int index) const {
  return index >= 0 && index < kSystemVariableCount ? tables_.systemVariables[index] : 0.0;
}

IdentifierCheck Compiler::CheckIdentifier(std::string_view name, IdentifierCheckKind kind,
                                          std::string_view label) const {
  IdentifierCheck check;
  std::string labelText(label);
  switch (CheckNameCharacters(name)) {
    case NameProblem::kEmpty: check.message = Format(Msg::kNameEmpty, labelText); break;
    case NameProblem::kSeparators: check.message = Format(Msg::kNameHasSeparators, labelText); break;
    case NameProblem::kBeginsWithDigit: check.message = Format(Msg::kNameBeginsWithNumber, labelText); break;
    case NameProblem::kNone: break;
  }
  if (!check.message.empty()) {
    check.accepted = false;
    return check;
  }
  std::string quoted = QuotedName(name);
  check.isBuiltin = FindBuiltin(name).has_value();
  check.isSystemVariable = FindSystemVariable(name) >= 0;
  check.isGlobalParameter = tables_.globals.Find(name) >= 0;
  check.isArray = tables_.arrays.Find(name) >= 0;
  int program = tables_.FindProgram(name, static_cast<int>(tables_.slots.size()) - 1);
  if (program >= 0) {
    check.isSubroutine = tables_.slots[program]->record.kind == BlockKind::kSubroutine;
    check.isProgram = !check.isSubroutine;
  }
  if (check.isBuiltin) {
    check.message = Format(Msg::kNameIsBuiltin, quoted);
  } else if (check.isSystemVariable) {
    check.message = Format(Msg::kNameIsSystemVariable, quoted);
  } else if (kind == IdentifierCheckKind::kProgramName) {
    const char* word = check.isGlobalParameter ? "global parameter"
                       : check.isSubroutine    ? "subroutine"
                       : check.isProgram       ? "program"
                       : check.isArray         ? "array"
                                               : nullptr;
    if (word) check.message = Format(Msg::kProgramNameCoincides, quoted, word);
  } else if (kind == IdentifierCheckKind::kArrayName && check.isArray) {
    check.message = Format(Msg::kNameIsArray, quoted);
  }
  check.accepted = check.message.empty();
  return check;
}

int Compiler::AddProgramSlot(BlockKind kind, std::string_view name, std::vector<std::string> sourceLines) {
  auto slot = std::make_unique<ProgramSlot>();
  slot->record.kind = kind;
  slot->record.name = std::string(name);
  slot->sourceLines = std::move(sourceLines);
  tables_.slots.push_back(std::move(slot));
  outputLines_.emplace_back();
  return static_cast<int>(tables_.slots.size()) - 1;
}

int Compiler::CompileFormalParameters(int slot, std::string_view blockText) {
  FormalListResult result = CompileFormalList(tables_, slot, blockText);
  ProgramRecord& record = tables_.slots[slot]->record;
  if (result.ok) return result.linesTaken;
  record.status = kStatusSyntaxError;
  record.message = result.message;
  record.line = result.line;
  return -1;
}

void Compiler::CompileProgram(int slot, std::string_view blockText, int firstLine) {
  ProgramRecord& record = tables_.slots[slot]->record;
  if (record.status == kStatusSyntaxError) return;
  BlockCompiler first(tables_, slot);
  BlockCompileResult result = first.Compile(blockText, firstLine);
  if (result.ok && record.kind == BlockKind::kParameters) {
    const std::vector<std::string>& names = first.LocalNames();
    if (tables_.globals.size() + static_cast<int>(names.size()) > kMaxGlobalParameters) {
      result.ok = false;
      result.message = Format(Msg::kTooManyGlobals, kMaxGlobalParameters);
      result.line = result.lastLine;
    } else {
      for (const std::string& name : names) tables_.globals.Add(name, 0.0);
      result = BlockCompiler(tables_, slot).Compile(blockText, firstLine);
      if (names.empty() && result.ok) {
        result.warning = true;
        result.message = std::string(MessageText(Msg::kNoGlobalsDefined));
        result.line = result.lastLine;
      }
    }
  }
  record.message = result.message;
  record.line = result.line;
  record.status = !result.ok ? kStatusSyntaxError : result.warning ? kStatusWarning : kStatusNone;
  if (!result.ok) tables_.slots[slot]->code.compiled = false;
}

const ProgramRecord& Compiler::Record(int slot) const { return tables_.slots[slot]->record; }

int Compiler::SlotCount() const { return static_cast<int>(tables_.slots.size()); }

void Compiler::Start(int slot) {
  fatal_ = false;
  outputLines_[slot].clear();
  runningSlot_ = slot;
  lastRunSlot_ = slot;
  runner_->Start(slot, outputLines_[slot], tables_.slots[slot]->record.timeLimit, hardTimeLimit_);
}

bool Compiler::ProgramRunning() const { return runningSlot_ >= 0; }

void Compiler::ForgetRunningProgram() {
  // A program whose output nobody takes any more would wait for ever.
  if (runningSlot_ >= 0) runner_->Stop();
  runningSlot_ = -1;
  // No program runs now, so the output file can be flushed from here.
  machine_->FlushOutputFile();
}

GeneratedLine Compiler::NextGeneratedLine(std::string& line) {
  if (runningSlot_ < 0) return fatal_ ? GeneratedLine::kFatal : GeneratedLine::kFinished;
  if (runner_->NextLine(line) == LineRequest::kLine) return GeneratedLine::kLine;
  runningSlot_ = -1;
  return ReportDiagnostics(-1) ? GeneratedLine::kFatal : GeneratedLine::kFinished;
}

const std::vector<std::string>& Compiler::OutputLines(int slot) const { return outputLines_[slot]; }

void Compiler::Write(std::string_view text) { runner_->WriteConsole(text); }

void Compiler::SetCommandPermission(CommandPermission* permission) { runner_->SetCommandPermission(permission); }

void Compiler::SetFileFolders(std::string_view inputFolder, std::string_view workingFolder) {
  machine_->Files().Folder().Set(inputFolder, workingFolder);
}

void Compiler::SetFilePermission(FilePermission* permission) { runner_->SetFilePermission(permission); }

void Compiler::SetWriteLimit(std::uint64_t bytes) { machine_->Files().SetWriteLimit(bytes); }

void Compiler::SetCreatedFileLimit(int files) { machine_->Files().SetCreatedFileLimit(files); }

void Compiler::SetArrayMemoryLimit(std::uint64_t bytes) { tables_.arrays.memoryLimit = bytes; }

bool Compiler::ReportDiagnostics(int slot) {
  int index = slot < 0 ? lastRunSlot_ : slot;
  if (index < 0) return false;
  ProgramSlot& program = *tables_.slots[index];
  ProgramRecord& record = program.record;
  if (slot < 0) {
    const RuntimeErrorRecord& error = machine_->Error();
    if (error.recorded) {
      record.status = kStatusRuntimeError;
      record.message = error.message;
      record.line = error.line;
    } else if (machine_->Stopped() || runner_->InterruptRequested()) {
      record.status = kStatusRuntimeError;
      record.message = std::string(MessageText(Msg::kInterrupted));
      record.line = -1;
    }
  }
  std::string out;
  if (record.status != kStatusNone || !record.message.empty()) {
    out += Format(Msg::kBlockFrame, record.message);
  } else if (record.line >= 0) {
    out += "\n";
  }
  if (record.line >= 0) {
    static constexpr Msg kHeaders[] = {Msg::kHeaderNoError, Msg::kHeaderWarning, Msg::kHeaderSyntaxError,
                                       Msg::kHeaderRuntimeError};
    bool parameters = record.kind == BlockKind::kParameters;
    out += Format(kHeaders[record.status], record.line + 1, parameters ? "user code block" : "user program",
                  parameters ? std::string("PARAMETERS") : record.name);
    std::string source = record.line < static_cast<int>(program.sourceLines.size()) ? program.sourceLines[record.line] : "";
    source = source.substr(0, source.find('\n'));
    if (!source.empty() && source.back() == '\r') source.pop_back();
    out += source + "\n";
  }
  if (!out.empty()) {
    out += "\n";
    Write(out);
  }
  fatal_ = record.status > kStatusWarning;
  return fatal_;
}

}  // namespace tessarin::engine
