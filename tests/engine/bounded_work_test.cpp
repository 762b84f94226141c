// Programs that once overflowed the stack, ran unboundedly inside one
// built-in call or grew one line without end.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>

#include "engine/bessel_functions.h"
#include "engine/block_compiler.h"
#include "engine/engine_test_support.h"
#include "engine/messages.h"
#include "platform/clock.h"
#include "platform/process_table.h"
#include "support/test_files.h"

namespace tessarin::engine::testing {
namespace {

// `depth` headers, each opening a braced block, a statement, the closing
// braces and a Dir of the statement's value.
std::vector<std::string> Nested(const std::string& header, int depth) {
  std::vector<std::string> body{"x = 0"};
  for (int i = 0; i < depth; ++i) body.push_back(header);
  body.push_back("x = 7");
  for (int i = 0; i < depth; ++i) body.push_back("}");
  body.push_back("Dir(x)");
  return body;
}

std::string NestingMessage() { return Format(Msg::kNestingTooDeep, kMaxStatementNesting); }

TEST(BoundedWork, NestingUpToTheLimitCompilesAndRuns) {
  EngineHarness engine;
  for (const char* header : {"if (1) {", "while (x == 0) {", "for (i = 0; i < 1; i = i + 1) {", "{"}) {
    Outcome outcome = engine.Program(Nested(header, kMaxStatementNesting));
    EXPECT_EQ(outcome.lines, std::vector<std::string>{"7\n"}) << header << ": " << outcome.message;
  }
}

TEST(BoundedWork, NestingBeyondTheLimitIsASyntaxErrorAtTheFirstLineTooDeep) {
  // 20000 levels crashed every build before the limit existed.
  EngineHarness engine;
  for (const char* header : {"if (1) {", "while (1) {", "for (;1;) {", "{"}) {
    for (int depth : {kMaxStatementNesting + 1, std::string(header) == "if (1) {" ? 20000 : 6000}) {
      Outcome outcome = engine.Program(Nested(header, depth));
      EXPECT_EQ(outcome.status, kStatusSyntaxError) << header << " " << depth;
      EXPECT_EQ(outcome.message, NestingMessage()) << header << " " << depth;
      // Block line 0 is the opening line's rest, the first header is line 2.
      EXPECT_EQ(outcome.line, kMaxStatementNesting + 2) << header << " " << depth;
    }
  }
  // Unbraced bodies nest the same way, one header per line.
  std::vector<std::string> unbraced(6000, "if (1)");
  unbraced.push_back("x = 1");
  Outcome outcome = engine.Program(unbraced);
  EXPECT_EQ(outcome.message, NestingMessage());
  EXPECT_EQ(outcome.line, kMaxStatementNesting + 1);
}

TEST(BoundedWork, ElseIfChainOfAnyLengthIsOneLevel) {
  EngineHarness engine;
  constexpr int kBranches = 6000;
  std::vector<std::string> body{"x = " + std::to_string(kBranches - 2), "y = 0 - 1", "if (x == 0) y = 0"};
  for (int i = 1; i < kBranches; ++i) {
    // Every other branch has else and if on separate lines.
    if (i % 2 == 0) {
      body.push_back("else if (x == " + std::to_string(i) + ") y = " + std::to_string(i));
    } else {
      body.push_back("else");
      body.push_back("if (x == " + std::to_string(i) + ") {");
      body.push_back("  y = " + std::to_string(i));
      body.push_back("}");
    }
  }
  body.push_back("else y = 0 - 2");
  body.push_back("Dir(y)");
  Outcome found = engine.Program(body);
  EXPECT_EQ(found.status, kStatusNone) << found.message;
  EXPECT_EQ(found.lines, std::vector<std::string>{std::to_string(kBranches - 2) + "\n"});
  body[0] = "x = 0 - 5";
  Outcome fallsThrough = engine.Program(body);
  EXPECT_EQ(fallsThrough.lines, std::vector<std::string>{"-2\n"});
  // An else-if chain inside the deepest allowed level still compiles.
  std::vector<std::string> deep = Nested("if (1) {", kMaxStatementNesting - 1);
  deep.insert(deep.begin() + kMaxStatementNesting, {"if (x == 1) x = 1", "else if (x == 2) x = 2", "else x = 3"});
  EXPECT_EQ(engine.Program(deep).lines, std::vector<std::string>{"7\n"});
}

TEST(BoundedWork, ElseIfChainKeepsTheUndefinedResultWarning) {
  EngineHarness engine;
  Outcome withoutElse = engine.Program({"x = 1", "if (x == 1) x = 2", "else if (x == 3) x = 4"});
  EXPECT_EQ(withoutElse.status, kStatusWarning);
  EXPECT_EQ(withoutElse.message, MessageText(Msg::kResultMayBeUndefined));
  Outcome complete = engine.Program({"x = 1", "if (x == 1) x = 2", "else if (x == 3) x = 4", "else x = 5"});
  EXPECT_EQ(complete.status, kStatusNone) << complete.message;
  Outcome setInOneBranch = engine.Program({"x = 1", "if (x == 1) y = 2", "else if (x == 3) x = 4", "else x = 5",
                                           "Dir(y)"});
  EXPECT_EQ(setInOneBranch.status, kStatusWarning);
  EXPECT_EQ(setInOneBranch.message, Format(Msg::kMaybeUsedBeforeSet, "y"));
}

TEST(BoundedWork, BracketsNestedAsDeepAsALineHoldsNeedNoRecursion) {
  EngineHarness engine;
  EXPECT_EQ(engine.Value(std::string(495, '(') + "2" + std::string(495, ')')), "2");
  std::string negated = "1";
  for (int i = 0; i < 160; ++i) negated = "-(" + negated + ")";
  EXPECT_EQ(engine.Value("2*" + negated), "2");
}

TEST(BoundedWork, BesselFunctionsOfHugeOrderReturnAtOnce) {
  // jn(1e300, 1) ran for 11 s: the order rounds to 2147483647 and the
  // library's recurrence takes one step per order.
  EngineHarness engine;
  engine.compiler.SetHardTimeLimit(5.0);
  Outcome outcome = engine.Program({"Dir(jn(1e300, 1), \" \", yn(1e300, 1), \" \", jn(0-1e300, 0-3), \" \", "
                                    "yn(0-1e300, 2), \" \", jn(1e300, 3e9))"});
  EXPECT_FALSE(outcome.fatal) << outcome.console;
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"0 -inf 0 -inf nan\n"});
}

TEST(BoundedWork, BesselFunctionsAboveTheRecurrenceOrderAgreeWithTheLibrary) {
  const int order = kMaxRecurrenceOrder + 1;
  // Far below the turning point: underflow and overflow.
  EXPECT_EQ(BesselJ(order, 5e5), 0.0);
  EXPECT_EQ(::jn(order, 5e5), 0.0);
  EXPECT_EQ(BesselY(order, 5e5), -INFINITY);
  EXPECT_EQ(::yn(order, 5e5), -INFINITY);
  EXPECT_EQ(BesselY(-order, 5e5), INFINITY);
  EXPECT_EQ(BesselY(order, 0), -INFINITY);
  EXPECT_TRUE(std::isnan(BesselY(order, -1)));
  // Far beyond it: the leading term of the large-argument form.
  for (double x : {1e30, 3.7e31, -2e33}) {
    double amplitude = std::sqrt(2 / (M_PI * std::fabs(x)));
    EXPECT_NEAR(BesselJ(order, x), ::jn(order, x), amplitude * 1e-9) << x;
    EXPECT_NEAR(BesselJ(-order, x), ::jn(-order, x), amplitude * 1e-9) << x;
    if (x > 0) {
      EXPECT_NEAR(BesselY(order, x), ::yn(order, x), amplitude * 1e-9) << x;
    }
  }
  // Around the turning point no value is given rather than a slow one.
  EXPECT_TRUE(std::isnan(BesselJ(order, 1.0 * order)));
  EXPECT_TRUE(std::isnan(BesselY(order, 3.0 * order)));
}

TEST(BoundedWork, Dir2KeepsNoMoreOfALineThanTheReaderTakes) {
  EngineHarness engine;
  std::string text = BlockText({"for (i = 0; i < 5000; i = i + 1) Dir2(\"0123456789\")", "Dir(\" end\")",
                                "Dir2(\"abc\")"});
  int slot = engine.compiler.AddProgramSlot(BlockKind::kProgram, "grow", BlockLines(text));
  engine.compiler.CompileProgram(slot, text, 0);
  engine.compiler.Start(slot);
  std::vector<std::string> lines;
  std::string line;
  while (engine.compiler.NextGeneratedLine(line) == GeneratedLine::kLine) lines.push_back(line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 1001u);
  EXPECT_EQ(lines[0].substr(990), "0123456789\n");
  EXPECT_EQ(lines[1], "abc\n");
  for (const std::string& kept : engine.compiler.OutputLines(slot)) EXPECT_LE(kept.size(), 1001u);
}

// No time passes until the program has printed; then, before the limit is
// found passed, the program is given ample time to end.
class ClockThatRunsOutAfterOutput final : public platform::Clock {
 public:
  explicit ClockThatRunsOutAfterOutput(const platform::ScriptedConsole& console) : console_(console) {}
  double WallSeconds() const override {
    if (console_.text.empty()) return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return 1e9;
  }
  double ProcessorSeconds() const override { return 0; }
  void YieldProcessor() override {}

 private:
  const platform::ScriptedConsole& console_;
};

TEST(BoundedWork, TimeLimitThatPassesAfterTheProgramLastLookedIsStillAnInterruption) {
  // As after one long built-in call: the limit is announced while the
  // program is past its last look at the interrupt flag, so it ends on its
  // own. Its run must still count as interrupted, not as a success.
  platform::ScriptedConsole console;
  ClockThatRunsOutAfterOutput clock(console);
  Compiler compiler(&console, &clock);
  compiler.SetHardTimeLimit(5.0);
  std::string text = BlockText({"Print2(\"start\")", "x = 1"});
  int slot = compiler.AddProgramSlot(BlockKind::kProgram, "late", BlockLines(text));
  compiler.CompileProgram(slot, text, 0);
  compiler.Start(slot);
  std::string line;
  EXPECT_EQ(compiler.NextGeneratedLine(line), GeneratedLine::kFatal);
  EXPECT_EQ(compiler.Record(slot).message, MessageText(Msg::kInterrupted));
  EXPECT_EQ(console.text, "start" + Format(Msg::kTimeLimitReached, 5.0) +
                              Format(Msg::kBlockFrame, std::string(MessageText(Msg::kInterrupted))) + "\n");
}


TEST(BoundedWork, TheTimeLimitStopsBuiltInsThatReadSortOrWaitForLong) {
  // A file of a terabyte (sparse: it takes no room) keeps SkipLines and
  // ReadArray busy for hours unless they look at the stop request; the
  // command of System is ended rather than waited for.
  tessarin::testing::TempDir folder;
  tessarin::testing::WriteWholeFile(folder.File("lines.txt"), "");
  std::error_code error;
  std::filesystem::resize_file(folder.File("lines.txt"), std::uintmax_t{1} << 40, error);
  if (error) GTEST_SKIP() << "no sparse file of a terabyte here: " << error.message();
  const std::vector<std::vector<std::string>> programs = {
      {"FopenR(\"lines.txt\")", "n = SkipLines(1e18)", "Dir(n)"},
      {"FopenR(\"lines.txt\")", "n = ReadArray(loc(A))", "Dir(n)"},
      {"for (i = 1; i <= 8000000; i = i + 8000) A[i] = 0 - i", "Sort(loc(A))", "Dir(1)"},
      {"System(\"sleep 987.654; echo done\")", "Dir(1)"},
  };
  AllowingCommands commands;
  for (const std::vector<std::string>& program : programs) {
    EngineHarness engine;
    engine.compiler.SetFileFolders(folder.path(), folder.path());
    engine.compiler.SetHardTimeLimit(0.5);
    engine.compiler.SetCommandPermission(&commands);
    std::string message;
    ASSERT_EQ(engine.compiler.DefineArrays(BlockText({"double A[8000000]"}), message), -1) << message;
    Outcome outcome = engine.Program(program);
    EXPECT_TRUE(outcome.fatal) << program[0] << " " << program[1];
    EXPECT_TRUE(outcome.lines.empty()) << program[0] << " " << program[1];
    EXPECT_EQ(outcome.message, MessageText(Msg::kInterrupted)) << program[0] << " " << program[1];
    EXPECT_NE(outcome.console.find(Format(Msg::kTimeLimitReached, 0.5)), std::string::npos) << program[0] << " " << program[1];
  }
  // Nothing the command started is left behind.
  for (int process : platform::ListProcessIds(100000)) {
    std::string commandLine = tessarin::testing::ReadWholeFile("/proc/" + std::to_string(process) + "/cmdline");
    EXPECT_EQ(commandLine.find("987.654"), std::string::npos) << process;
  }
}

}  // namespace
}  // namespace tessarin::engine::testing
