#include "engine/engine_test_support.h"

namespace tessarin::engine::testing {

std::string BlockText(const std::vector<std::string>& bodyLines, const std::string& openingRest) {
  std::string text = openingRest + "\r\n";
  for (const std::string& line : bodyLines) text += line + "\r\n";
  return text;
}

Outcome EngineHarness::Block(BlockKind kind, const std::string& name, const std::vector<std::string>& body,
                             const std::string& openingRest) {
  std::string text = BlockText(body, openingRest);
  int slot = compiler.AddProgramSlot(kind, name, BlockLines(text));
  int firstLine = 0;
  if (kind == BlockKind::kSubroutine && !openingRest.empty()) firstLine = compiler.CompileFormalParameters(slot, text);
  if (firstLine >= 0) compiler.CompileProgram(slot, text, firstLine);
  Outcome outcome;
  outcome.fatal = compiler.ReportDiagnostics(slot);
  if (!outcome.fatal && kind != BlockKind::kSubroutine) {
    compiler.Start(slot);
    std::string line;
    GeneratedLine result;
    while ((result = compiler.NextGeneratedLine(line)) == GeneratedLine::kLine) outcome.lines.push_back(line);
    outcome.fatal = result == GeneratedLine::kFatal;
  }
  const ProgramRecord& record = compiler.Record(slot);
  outcome.status = record.status;
  outcome.message = record.message;
  outcome.line = record.line;
  outcome.console = console.text;
  console.text.clear();
  return outcome;
}

std::string EngineHarness::Value(const std::string& expression) {
  Outcome outcome = Program({"v = " + expression, "Dir(v)"});
  if (outcome.lines.size() != 1) return "<" + outcome.message + ">";
  std::string line = outcome.lines[0];
  return line.substr(0, line.size() - 1);
}

}  // namespace tessarin::engine::testing
