// The value of a block (what a subroutine returns) and the places where a
// statement's value comes from.

#include <gtest/gtest.h>

#include "engine/engine_test_support.h"

namespace tessarin::engine::testing {
namespace {

TEST(BlockValues, SubroutineReturnsTheResultOfTheLastOperationRun) {
  EngineHarness engine;
  engine.Block(BlockKind::kSubroutine, "last", {"  a * 2"}, "(a)");
  engine.Block(BlockKind::kSubroutine, "comparison", {"  y = a", "  a == 1"}, "(a)");
  engine.Block(BlockKind::kSubroutine, "loop", {"  i = a", "  while (i < 3) i = i + 1"}, "(a)");
  engine.Block(BlockKind::kSubroutine, "early", {"  if (a > 0) Return(7)", "  a - 100"}, "(a)");
  Outcome outcome = engine.Program({"Dir(last(4), \" \", comparison(1), \" \", loop(0), \" \", early(1), \" \", early(0))"});
  EXPECT_EQ(outcome.status, kStatusNone) << outcome.message;
  // A loop that has just ended leaves the value of its condition, 0.
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"8 1 0 7 -100\n"});
}

TEST(BlockValues, ProgramsCanBeCalledAndGlobalsPassedByLocation) {
  EngineHarness engine;
  engine.Block(BlockKind::kParameters, "", {"count = 0"});
  engine.Block(BlockKind::kSubroutine, "increment", {"  v = v + 1"}, "(loc(v))");
  engine.Program({"increment(loc(count))", "count * 10"});
  // The second program calls the first one (both are named p; the first wins).
  Outcome outcome = engine.Program({"increment(loc(count))", "Dir(count, \" \", p())"});
  EXPECT_EQ(outcome.status, kStatusNone) << outcome.message;
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"2 30\n"});
}

TEST(BlockValues, FormalListOverSeveralLinesNumbersTheBodyAfterIt) {
  EngineHarness engine;
  Outcome sub = engine.Block(BlockKind::kSubroutine, "spread", {"  b,   // second", "  c)", "  a + b + q"}, "(a,");
  EXPECT_EQ(sub.status, kStatusSyntaxError);
  EXPECT_EQ(sub.message, "Unknown identifier \"q\".");
  EXPECT_EQ(sub.line, 3);
  EXPECT_NE(sub.console.find("Line No. 4 of user program \"spread\" with the syntax error:\n  a + b + q\n"),
            std::string::npos)
      << sub.console;
}

TEST(BlockValues, ComparisonStatementIsNoAssignment) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"x = 2", "x == 1", "Dir(x)"});
  EXPECT_EQ(outcome.status, kStatusNone) << outcome.message;
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"2\n"});
}

TEST(BlockValues, WriteMakesGeneratedLinesWhileNoOutputFileIsOpen) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"Write2(\"S 3 \")", "Write(\"PX \", 1.5)", "Write(\"C 1 0 -3\")"});
  EXPECT_EQ(outcome.lines, (std::vector<std::string>{"S 3 PX 1.5\n", "C 1 0 -3\n"}));
}

TEST(BlockValues, SystemVariablesAreReadOnlyValuesFromTheParameterSet) {
  EngineHarness engine;
  engine.compiler.SetSystemVariable(3, 2.5);
  Outcome outcome = engine.Program({"Dir(@3 * 2, \" \", IER)"});
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"5 0\n"});
  Outcome assigned = engine.Program({"AbsErr = 1"});
  EXPECT_EQ(assigned.message,
            "Error: the identifier \"AbsErr\" may not appear on the left-hand side of an assignment statement.");
}

}  // namespace
}  // namespace tessarin::engine::testing
