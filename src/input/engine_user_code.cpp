#include "input/engine_user_code.h"

#include "engine/compiler.h"
#include "engine/messages.h"

namespace tessarin::input {
namespace {

engine::BlockKind BlockKindOf(UserBlockKind kind) {
  switch (kind) {
    case UserBlockKind::Subroutine: return engine::BlockKind::kSubroutine;
    case UserBlockKind::Parameters: return engine::BlockKind::kParameters;
    default: return engine::BlockKind::kProgram;
  }
}

bool StartsWithParameterList(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t");
  return first != std::string::npos && text[first] == '(';
}

class EngineSession final : public UserCodeSession {
 public:
  EngineSession(const UserCodeSetup& setup, double timeLimitSeconds) : compiler_(setup.console, setup.clock) {
    for (int i = 0; i < 10; ++i) compiler_.SetSystemVariable(i, setup.systemVariables[i]);
    compiler_.SetHardTimeLimit(timeLimitSeconds);
    compiler_.SetCommandPermission(setup.commandPermission);
    compiler_.SetFileFolders(setup.inputFolder, setup.workingFolder);
    compiler_.SetFilePermission(setup.filePermission);
  }

  void BeginPass(int) override { compiler_.ForgetRunningProgram(); }

  ProgramNameCheck CheckProgramName(std::string_view name) override {
    engine::IdentifierCheck check =
        compiler_.CheckIdentifier(name, engine::IdentifierCheckKind::kProgramName, "Program name");
    return {check.accepted, check.message};
  }

  int DefineArrays(const UserCodeBlock& block, std::string& errorText) override {
    return compiler_.DefineArrays(block.text, errorText);
  }

  int CompileBlock(const UserCodeBlock& block) override {
    int slot = compiler_.AddProgramSlot(BlockKindOf(block.kind), block.name, engine::BlockLines(block.text));
    int firstLine = 0;
    if (block.kind == UserBlockKind::Subroutine && StartsWithParameterList(block.text))
      firstLine = compiler_.CompileFormalParameters(slot, block.text);
    if (firstLine >= 0) compiler_.CompileProgram(slot, block.text, firstLine);
    compiler_.ReportDiagnostics(slot);
    lastCompiled_ = slot;
    return compiler_.Record(slot).status;
  }

  void StartProgram() override {
    if (lastCompiled_ >= 0) compiler_.Start(lastCompiled_);
  }

  GeneratedLineStatus NextGeneratedLine(std::string& line) override {
    switch (compiler_.NextGeneratedLine(line)) {
      case engine::GeneratedLine::kLine:
        if (!line.empty() && line.back() == '\n') line.pop_back();
        if (line.size() > 1000) line.resize(1000);
        return GeneratedLineStatus::Line;
      case engine::GeneratedLine::kFinished: return GeneratedLineStatus::Finished;
      case engine::GeneratedLine::kFatal: return GeneratedLineStatus::Fatal;
    }
    return GeneratedLineStatus::Fatal;
  }

 private:
  engine::Compiler compiler_;
  int lastCompiled_ = -1;
};

}  // namespace

std::unique_ptr<UserCodeSession> EngineUserCode::OpenSession(const UserCodeSetup& setup, std::string&) {
  return std::make_unique<EngineSession>(setup, timeLimitSeconds_);
}

}  // namespace tessarin::input
