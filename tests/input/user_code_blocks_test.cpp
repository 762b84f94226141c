// The reader's side of user-code blocks, with a stand-in engine whose
// programs "generate" the lines of their own body: what is collected and
// handed over, where generated directives are read, and where a block stops
// the read.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/format_text.h"
#include "reader_fixture.h"

namespace tessarin::input::testing {
namespace {

constexpr const char* kNoCells = "Error: There are no cells defined.\n";

// What the stand-in engine saw, kept beyond the session's lifetime.
struct EngineLog {
  std::vector<UserCodeBlock> compiled;
  std::vector<UserCodeBlock> arrays;
  int sessions = 0;
  std::vector<int> passes;
};

class StandInSession final : public UserCodeSession {
 public:
  StandInSession(EngineLog& log, platform::Console& console) : log_(log), console_(console) {}

  void BeginPass(int pass) override { log_.passes.push_back(pass); }

  ProgramNameCheck CheckProgramName(std::string_view name) override {
    for (const std::string& defined : names_)
      if (defined == name)
        return {false, "Error: the program name \"" + defined + "\" coincides with the name of a previously-defined "
                       "subroutine."};
    return {};
  }

  int DefineArrays(const UserCodeBlock& block, std::string& errorText) override {
    log_.arrays.push_back(block);
    if (block.text.find("bad") == std::string::npos) return -1;
    errorText = "******** Error: bad array ********";
    return 0;
  }

  int CompileBlock(const UserCodeBlock& block) override {
    log_.compiled.push_back(block);
    names_.push_back(block.name);
    if (block.text.find("syntax error") != std::string::npos) {
      console_.Write("\n******** compile failed ********\n");
      return kUserCodeSyntaxError;
    }
    return 0;
  }

  // The program "generates" its body lines, the first line (the rest of the
  // opening line) left out; a line "FAIL" ends it with a runtime error.
  void StartProgram() override {
    pending_.clear();
    const std::string& text = log_.compiled.back().text;
    std::size_t start = text.find("\r\n") + 2;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
      pending_.push_back(text.substr(start, end - start));
  }

  GeneratedLineStatus NextGeneratedLine(std::string& line) override {
    if (pending_.empty()) return GeneratedLineStatus::Finished;
    line = pending_.front();
    pending_.pop_front();
    if (line == "FAIL") {
      console_.Write("\n******** runtime error ********\n");
      return GeneratedLineStatus::Fatal;
    }
    return GeneratedLineStatus::Line;
  }

 private:
  EngineLog& log_;
  platform::Console& console_;
  std::vector<std::string> names_;
  std::deque<std::string> pending_;
};

class StandInEngine final : public UserCodeEngine {
 public:
  std::unique_ptr<UserCodeSession> OpenSession(const UserCodeSetup& setup, std::string&) override {
    ++log.sessions;
    return std::make_unique<StandInSession>(log, *setup.console);
  }
  EngineLog log;
};

TEST(UserCodeBlocks, GeneratedDirectivesAreReadInPlaceOfTheBlock) {
  ReaderFixture reader;
  StandInEngine engine;
  ReadOutcome outcome = reader.Read(
      "S1 S 0 0 0 1\n"
      "PROGRAM make // comment\n"
      "S2 P 0 0 1 2\n"
      "S3 S 0 0 0 3\n"
      "end   program\n"
      "S4 S 0 0 0 4\n",
      engine);
  EXPECT_EQ(outcome.console, kNoCells);
  const GeometryModel& model = reader.model;
  ASSERT_EQ(model.surfaces.size(), 4u);
  for (int id = 1; id <= 4; ++id) EXPECT_EQ(model.surfaces[static_cast<std::size_t>(id - 1)].facetNumber, id);
  EXPECT_EQ(engine.log.sessions, 1);
  EXPECT_EQ(engine.log.passes, (std::vector<int>{0, 1}));
  ASSERT_EQ(engine.log.compiled.size(), 1u);
  const UserCodeBlock& block = engine.log.compiled[0];
  EXPECT_EQ(block.kind, UserBlockKind::Program);
  EXPECT_EQ(block.name, "make");
  EXPECT_EQ(block.text, " // comment\r\nS2 P 0 0 1 2\r\nS3 S 0 0 0 3\r\n");
  ASSERT_EQ(block.lines.size(), 3u);
  EXPECT_EQ(block.lines[0].filePosition, 13 + 12);
  EXPECT_EQ(block.lines[0].fileLineNumber, 2);
  EXPECT_EQ(block.lines[1].filePosition, 13 + 24);
  EXPECT_EQ(block.lines[2].fileLineNumber, 4);
}

TEST(UserCodeBlocks, SubroutinesAreCompiledOnlyAndArraysParsed) {
  ReaderFixture reader;
  StandInEngine engine;
  ReadOutcome outcome = reader.Read(
      "ARRAYS\nA[3]\nEND ARRAYS\n"
      "SUBROUTINE f(a,\n  b)\nS9 S 0 0 0 1\nEND SUBROUTINE\nS1 S 0 0 0 1\n",
      engine);
  EXPECT_EQ(outcome.console, kNoCells);
  EXPECT_EQ(reader.model.surfaces.size(), 1u);
  ASSERT_EQ(engine.log.compiled.size(), 1u);
  EXPECT_EQ(engine.log.compiled[0].name, "f");
  EXPECT_EQ(engine.log.compiled[0].text, "(a,\r\n  b)\r\nS9 S 0 0 0 1\r\n");
  ASSERT_EQ(engine.log.arrays.size(), 1u);
  EXPECT_EQ(engine.log.arrays[0].text, "\r\nA[3]\r\n");
}

TEST(UserCodeBlocks, GeneratedLinesFollowTheRulesOfTheFile) {
  ReaderFixture reader;
  StandInEngine engine;
  // Precision set by a program holds for the whole file; a block keyword in
  // generated lines is no block; counted keywords count generated lines too.
  ReadOutcome outcome = reader.Read(
      "S1 S 0 0 0 1\nS2 S 0 0 0 1.0000000001\n"
      "PROGRAM p\nDISTANCE_PRECISION 1e-9\nPROGRAM inner\nEND PROGRAM\n",
      engine);
  EXPECT_EQ(outcome.console, "Warning: Surfaces 2 and 1 coincide.\n" + std::string(kNoCells));
  EXPECT_EQ(engine.log.compiled.size(), 1u);
  outcome = reader.Read("COMPLEX_GEOMETRY 1\nPROGRAM p\nCOMPLEX_GEOMETRY 1\nEND PROGRAM\n", engine);
  EXPECT_EQ(outcome.console, "Error: Keyword \"COMPLEX_GEOMETRY\" is used more than once in the input file.\n");
}

TEST(UserCodeBlocks, FailingProgramsStopTheReadAfterTheirLines) {
  ReaderFixture reader;
  StandInEngine engine;
  ReadOutcome outcome =
      reader.Read("PROGRAM p\nS1 S 0 0 0 1\nFAIL\nS2 S 0 0 0 2\nEND PROGRAM\nS3 S 0 0 0 3\n", engine);
  EXPECT_EQ(outcome.status, InputReadStatus::Stopped);
  EXPECT_EQ(outcome.console, "\n******** runtime error ********\n");
  EXPECT_EQ(reader.model.surfaces.size(), 1u);

  outcome = reader.Read("S1 S 0 0 0 1\nPROGRAM p\nsyntax error\nEND PROGRAM\nS3 S 0 0 0 3\n", engine);
  EXPECT_EQ(outcome.console, "\n******** compile failed ********\n");
  EXPECT_EQ(reader.model.surfaces.size(), 1u);
}

TEST(UserCodeBlocks, GeneratedLinesPastTheReadingsBoundStopTheReadAtTheBlock) {
  // Three lines of the first program and one of the second: the fourth
  // passes a bound of three lines; seven bytes more pass a bound of 40.
  const std::string text =
      "PROGRAM first\nS1 S 0 0 0 1\nS2 S 0 0 0 2\nS3 S 0 0 0 3\nEND PROGRAM\n"
      "PROGRAM second\nS4 S 0 0 0 4\nEND PROGRAM\nC1 0 -1\n";
  struct Case {
    GeneratedLineLimit limit;
    std::string program;  // empty: the read goes on
  };
  const std::vector<Case> cases = {
      {{1000, 4}, ""}, {{1000, 3}, "second"}, {{1000, 2}, "first"}, {{52, 100}, ""}, {{51, 100}, "second"}};
  for (const Case& one : cases) {
    ReaderFixture reader;
    reader.generatedLines = one.limit;
    StandInEngine engine;
    ReadOutcome outcome = reader.Read(text, engine);
    if (one.program.empty()) {
      EXPECT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.printed;
      continue;
    }
    const std::string message = "Error: program \"" + one.program +
                                "\" has generated more directive lines than one reading of an input file may hold "
                                "together (" + std::to_string(one.limit.lines) + " lines or " +
                                platform::FormatText("%g", static_cast<double>(one.limit.bytes) / 1048576.0) +
                                " MB), so the reading stops.\n";
    EXPECT_EQ(outcome.status, InputReadStatus::Stopped);
    EXPECT_EQ(outcome.console, message) << one.program;
    const int blockLine = one.program == "first" ? 1 : 6;
    EXPECT_TRUE(Contains(outcome.printed, message + "  at input.txt:" + std::to_string(blockLine) + ": PROGRAM " +
                                              one.program + "\n"))
        << outcome.printed;
  }
}

TEST(UserCodeBlocks, OrderAndNamingErrors) {
  ReaderFixture reader;
  StandInEngine engine;
  EXPECT_EQ(reader.Read("PROGRAM p\nEND PROGRAM\nARRAYS\nEND ARRAYS\n", engine).console,
            "\n******** Error: the \"ARRAYS\" directive must precede the definitions of global parameters, programs "
            "and subroutines. ********\n");
  EXPECT_EQ(reader.Read("ARRAYS\nEND ARRAYS\nARRAYS\nEND ARRAYS\n", engine).console,
            "\n******** Error: only one \"ARRAYS\" directive is allowed. ********\n");
  EXPECT_EQ(reader.Read("ARRAYS\nbad\nEND ARRAYS\n", engine).console, "\n******** Error: bad array ********\n");
  EXPECT_EQ(reader.Read("PARAMETERS\nEND PARAMETERS\nPARAMETERS\nEND PARAMETERS\n", engine).console,
            "Error: only one \"PARAMETERS\" directive is allowed.\n");
  EXPECT_EQ(reader.Read("SUBROUTINE s\nEND SUBROUTINE\nPARAMETERS\nEND PARAMETERS\n", engine).console,
            "Error: the \"PARAMETERS\" directive must precede the definitions of all other programs and "
            "subroutines.\n");
  EXPECT_EQ(reader.Read("PROGRAM\nEND PROGRAM\n", engine).console,
            "Error: User program name has not been specified.\n");
  EXPECT_EQ(reader.Read("SUBROUTINE s\nEND SUBROUTINE\nPROGRAM s\nEND PROGRAM\n", engine).console,
            "******** Error: the program name \"s\" coincides with the name of a previously-defined subroutine. "
            "********\n");
  EXPECT_EQ(reader.Read("S1 S 0 0 0 1\nPROGRAM p\nS2 S 0 0 0 2\nEND PROGRAMS\n", engine).console,
            "Error: The input file ends inside the \"PROGRAM\" block that begins in line No. 2 (the line \"END "
            "PROGRAM\" that closes it is missing).\n");
  EXPECT_EQ(reader.model.surfaces.size(), 1u);
}

TEST(UserCodeBlocks, WithoutAnEngineABlockStopsTheReadWithAClearError) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read("S1 S 0 0 0 1\nPROGRAM p\nS2 S 0 0 0 2\nEND PROGRAM\nS3 S 0 0 0 3\n");
  EXPECT_EQ(outcome.status, InputReadStatus::Stopped);
  EXPECT_EQ(outcome.console,
            "Error: This version of Tessarin cannot run user programs yet, so the PROGRAM, SUBROUTINE, PARAMETERS and "
            "ARRAYS blocks of the input file cannot be read.\n");
  EXPECT_EQ(reader.model.surfaces.size(), 1u);
}

}  // namespace
}  // namespace tessarin::input::testing
