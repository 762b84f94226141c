#include <gtest/gtest.h>

#include <atomic>

#include "engine/engine_test_support.h"
#include "engine/messages.h"
#include "platform/clock.h"

namespace tessarin::engine::testing {
namespace {

const std::vector<std::string> kEndless = {"x = 0", "while (1) {", "  x = x + 1", "}", "Dir(x)"};
const std::string kInterrupted =
    "\n******** Execution of the program was interrupted by the user, or an unspecified runtime error occurred. "
    "********\n\n";

TEST(Running, EscapeThenQInterruptsAnEndlessProgram) {
  EngineHarness engine;
  engine.console.keys.push_back({platform::kKeyEscape, 5});
  engine.console.keys.push_back({'Q', 10});
  Outcome outcome = engine.Program(kEndless);
  EXPECT_TRUE(outcome.fatal);
  EXPECT_EQ(outcome.status, kStatusRuntimeError);
  EXPECT_EQ(outcome.console, std::string(MessageText(Msg::kEscapePressed)) +
                                 std::string(MessageText(Msg::kEscapeAndQ)) + kInterrupted);
}

TEST(Running, InterruptedProgramOfStraightLineDirsStopsAtTheNextLine) {
  // No loop here whose jumps would notice the interruption: the output
  // statements themselves must stop the program instead of running on
  // without waiting for the reader.
  EngineHarness engine;
  std::string work = "w = 0";
  for (int k = 0; k < 60; ++k) work += " + sin(" + std::to_string(k) + ")";
  std::vector<std::string> body;
  for (int i = 0; i < 300; ++i) {
    body.push_back(work);
    body.push_back("Dir(\"// line \", " + std::to_string(i) + ")");
  }
  std::string text = BlockText(body);
  int slot = engine.compiler.AddProgramSlot(BlockKind::kProgram, "p", BlockLines(text));
  engine.compiler.CompileProgram(slot, text, 0);
  ASSERT_FALSE(engine.compiler.ReportDiagnostics(slot));
  engine.compiler.Start(slot);
  std::string line;
  std::size_t received = 0;
  GeneratedLine result;
  while ((result = engine.compiler.NextGeneratedLine(line)) == GeneratedLine::kLine) {
    if (++received == 2) {
      engine.console.keys.push_back({platform::kKeyEscape, 0});
      engine.console.keys.push_back({'Q', 0});
    }
  }
  ASSERT_EQ(result, GeneratedLine::kFatal) << "the keys were never read";
  EXPECT_LE(engine.compiler.OutputLines(slot).size(), received + 1);
}

TEST(Running, AnotherKeyAfterEscapeCancelsAndTheProgramGoesOn) {
  EngineHarness engine;
  engine.console.keys.push_back({platform::kKeyEscape, 1});
  engine.console.keys.push_back({'A', 2});
  Outcome outcome = engine.Program({"s = 0", "for (i = 0; i < 20000000; i = i + 1) s = s + 1", "Dir(s)"});
  EXPECT_FALSE(outcome.fatal);
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"20000000\n"});
  EXPECT_EQ(outcome.console,
            std::string(MessageText(Msg::kEscapePressed)) + std::string(MessageText(Msg::kEscapeCancelled)));
}

// Processor time moves on by a tenth of a second at every look.
class SteppingClock final : public platform::Clock {
 public:
  double WallSeconds() const override { return wall_ += 0.1; }
  double ProcessorSeconds() const override { return processor_ += 0.1; }
  void YieldProcessor() override {}

 private:
  mutable double wall_ = 0;
  mutable double processor_ = 0;
};

TEST(Running, LongProgramGetsTheTimeNoticeOnceAndATimeLimitStopsIt) {
  platform::ScriptedConsole console;
  SteppingClock clock;
  Compiler compiler(&console, &clock);
  compiler.SetHardTimeLimit(5.0);
  std::string text = BlockText(kEndless);
  int slot = compiler.AddProgramSlot(BlockKind::kProgram, "spin", BlockLines(text));
  compiler.CompileProgram(slot, text, 0);
  compiler.Start(slot);
  std::string line;
  EXPECT_EQ(compiler.NextGeneratedLine(line), GeneratedLine::kFatal);
  std::string notice = Format(Msg::kTimeNotice, 2.0);
  EXPECT_EQ(notice,
            "\nExecution time of the user program exceeds 2 seconds. Press the escape key and then 'Q' to attempt to "
            "interrupt execution of the user program.\n");
  EXPECT_EQ(console.text, notice + Format(Msg::kTimeLimitReached, 5.0) + kInterrupted);
}

TEST(Running, LinesAreHandedOverInOrderAndAnUnfinishedLastLineComesAtTheEnd) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"for (i = 1; i <= 3; i = i + 1) {", "  Dir(\"S \", i, \" PX \", i * 2)", "}",
                                    "Dir2(\"S 9 \")", "Dir2(\"PY \", 1)"});
  EXPECT_EQ(outcome.lines,
            (std::vector<std::string>{"S 1 PX 2\n", "S 2 PX 4\n", "S 3 PX 6\n", "S 9 PY 1\n"}));
}

TEST(Running, DirFinishesTheLineThatDir2Began) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"Dir2(\"S 1 \")", "Dir2(\"PZ \")", "Dir(2.5)", "Dir(\"\"\"quoted\"\"\")"});
  EXPECT_EQ(outcome.lines, (std::vector<std::string>{"S 1 PZ 2.5\n", "\"quoted\"\n"}));
}

TEST(Running, ProgramWithoutOutputFinishesAtOnce) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"x = 1"});
  EXPECT_TRUE(outcome.lines.empty());
  EXPECT_FALSE(outcome.fatal);
}

TEST(Running, PrintGoesToTheConsoleInOrderWithTheLines) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"Print(\"x=\", 1)", "Print2(\"a\")", "Print2(\"b\")", "Dir(1)"});
  EXPECT_EQ(outcome.console, "x=1\nab");
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"1\n"});
}

TEST(Running, NumberFormatPersistsAndIsValidated) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"SetNumberFormat(\"%8.3f\")", "Print(\"x=\", 2)", "SetNumberFormat(\"%d\")",
                                    "Print(\"x=\", 2)"});
  EXPECT_EQ(outcome.console, "x=   2.000\nx=   2.000\n");
  Outcome later = engine.Program({"Print(0.5)", "SetNumberFormat(\"\")", "Print(0.1, \" \", 1/3)",
                                  "SetNumberFormat(\"[%g%%]\")", "Print(2)"});
  EXPECT_EQ(later.console, "   0.500\n0.1 0.33333333333333\n[2%]\n");
}

TEST(Running, NumberFormatWithTwoConversionsOrNoneIsRefused) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"SetNumberFormat(\"%.2f\")", "SetNumberFormat(\"%g %g\")", "Print(1)",
                                    "SetNumberFormat(\"%f%e\")", "Print(1)", "SetNumberFormat(\"%%\")",
                                    "Print(1)", "SetNumberFormat(\"%g%%\")", "Print(1)"});
  EXPECT_EQ(outcome.console, "1.00\n1.00\n1.00\n1%\n");
}

TEST(Running, NumberFormatThatCannotFitALineIsRefusedBeforeFormatting) {
  // Each refused format would make the C library build a text of up to
  // gigabytes; the format in force stays.
  EngineHarness engine;
  Outcome outcome = engine.Program({"SetNumberFormat(\"%.1f\")", "SetNumberFormat(\"%.999999999f\")",
                                    "SetNumberFormat(\"%.2147483647f\")", "SetNumberFormat(\"%999999999f\")",
                                    "SetNumberFormat(\"%1001g\")", "SetNumberFormat(\"%.999f\")",
                                    "SetNumberFormat(\"%.995e\")", "SetNumberFormat(\"%.99999999999999999999g\")",
                                    "Print(1e308 / 1e308)"});
  EXPECT_EQ(outcome.console, "1.0\n");
  // At the limit the format is taken, and a number it makes too long for the
  // line is dropped with everything after it.
  Outcome atLimit = engine.Program({"SetNumberFormat(\"%.998f\")", "Dir(\"S \", 1e308, \" end\")", "Dir(0.5)"});
  ASSERT_EQ(atLimit.lines.size(), 2u);
  EXPECT_EQ(atLimit.lines[0], "S \n");
  EXPECT_EQ(atLimit.lines[1].size(), 1001u);
  Outcome wide = engine.Program({"SetNumberFormat(\"x%999f\")", "Dir(1)"});
  EXPECT_EQ(wide.lines[0].size(), 1001u);
}

TEST(Running, TextIsCutAt1000Characters) {
  EngineHarness engine;
  std::string piece(600, 'a');
  Outcome outcome = engine.Program({"Dir(\"" + piece + "\", 12345, \"" + piece + "\")"});
  ASSERT_EQ(outcome.lines.size(), 1u);
  EXPECT_EQ(outcome.lines[0].size(), 1001u);
  EXPECT_EQ(outcome.lines[0].substr(600, 5), "12345");
}

TEST(Running, ANewPassStopsAProgramWhoseOutputIsNoLongerTaken) {
  EngineHarness engine;
  std::string text = BlockText({"for (i = 0; i < 5; i = i + 1) Dir(i)", "Dir(\"end\")"});
  int slot = engine.compiler.AddProgramSlot(BlockKind::kProgram, "lines", BlockLines(text));
  engine.compiler.CompileProgram(slot, text, 0);
  engine.compiler.Start(slot);
  std::string line;
  ASSERT_EQ(engine.compiler.NextGeneratedLine(line), GeneratedLine::kLine);
  EXPECT_EQ(line, "0\n");
  engine.compiler.ForgetRunningProgram();
  EXPECT_FALSE(engine.compiler.ProgramRunning());
  EXPECT_EQ(engine.compiler.NextGeneratedLine(line), GeneratedLine::kFinished);
  EXPECT_LE(engine.compiler.OutputLines(slot).size(), 2u);
}

TEST(Running, DestroyingTheEngineStopsARunningProgram) {
  auto engine = std::make_unique<EngineHarness>();
  std::string text = BlockText(kEndless);
  int slot = engine->compiler.AddProgramSlot(BlockKind::kProgram, "spin", BlockLines(text));
  engine->compiler.CompileProgram(slot, text, 0);
  engine->compiler.Start(slot);
  engine.reset();  // must not hang or crash
  SUCCEED();
}

}  // namespace
}  // namespace tessarin::engine::testing
