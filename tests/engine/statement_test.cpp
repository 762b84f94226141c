#include <gtest/gtest.h>

#include "engine/engine_test_support.h"

namespace tessarin::engine::testing {
namespace {

std::vector<std::string> Lines(const Outcome& outcome) { return outcome.lines; }

TEST(Statements, ForLoopOnOneLineRunsItsBodyThenTheStep) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"s = 0", "for (i = 1; i <= 3; i = i + 1) s = s + i", "Dir(s, \" \", i)"});
  EXPECT_EQ(outcome.status, kStatusNone) << outcome.message;
  EXPECT_EQ(Lines(outcome), std::vector<std::string>{"6 4\n"});
}

TEST(Statements, ForLoopWithoutInitOrStepAndWithBracedBody) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"i = 0", "for (;i < 3;)", "{", "  Dir(\"S \", i)", "  i = i + 1", "}", "Dir(i)"});
  EXPECT_EQ(outcome.status, kStatusNone) << outcome.message;
  EXPECT_EQ(Lines(outcome), (std::vector<std::string>{"S 0\n", "S 1\n", "S 2\n", "3\n"}));
}

TEST(Statements, NestedLoopsAndElseChains) {
  EngineHarness engine;
  Outcome outcome = engine.Program({
      "n = 0",
      "for (i = 0; i < 3; i = i + 1) {",
      "  for (j = 0; j < 3; j = j + 1) {",
      "    if (i == j) {",
      "      n = n + 100",
      "    } else if (i < j) {",
      "      n = n + 10",
      "    } else {",
      "      n = n + 1",
      "    }",
      "  }",
      "}",
      "Dir(n)",
  });
  EXPECT_EQ(outcome.status, kStatusNone) << outcome.message;
  EXPECT_EQ(Lines(outcome), std::vector<std::string>{"333\n"});
}

TEST(Statements, ForLoopAsTheBodyOfAnIfOnTheSameLine) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"s = 0", "if (s == 0) for (i = 0; i < 4; i = i + 1) {", "  s = s + i", "}", "Dir(s)"});
  EXPECT_EQ(outcome.status, kStatusNone) << outcome.message;
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"6\n"});
}

TEST(Statements, IfAndElseOnSeparateLinesAreOneStatement) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"x = 0", "y = 0", "if (x) y = 1", "else y = 2", "Dir(y)"});
  EXPECT_EQ(outcome.status, kStatusNone) << outcome.message;
  EXPECT_EQ(Lines(outcome), std::vector<std::string>{"2\n"});
}

TEST(Statements, NaNConditionEntersTheRegion) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"y = 0", "if (0/0) y = 1", "Dir(y)"});
  EXPECT_EQ(Lines(outcome), std::vector<std::string>{"1\n"});
}

TEST(Statements, WhileLoopAndReturn) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"i = 0", "while (i < 10) {", "  i = i + 1", "  if (i == 4) Return(i)", "}",
                                    "Dir(\"never\")"});
  EXPECT_TRUE(outcome.lines.empty());
  EXPECT_EQ(outcome.status, kStatusNone);
}

TEST(Statements, ResultMayBeUndefinedWarningButTheProgramRuns) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"Dir(1)", "while (0) x = 1"});
  EXPECT_EQ(outcome.status, kStatusWarning);
  EXPECT_EQ(outcome.message,
            "Warning: the result may be undefined (some \"if\", \"else\", \"while\" or \"for\" blocks are empty, or "
            "some \"else\" blocks are missing).");
  EXPECT_EQ(outcome.line, 2);
  EXPECT_EQ(Lines(outcome), std::vector<std::string>{"1\n"});
  EXPECT_FALSE(outcome.fatal);
}

TEST(Statements, VariableSetOnlyInsideAConditionWarnsAtItsFirstUse) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"c = 1", "if (c) {", "  v = 2", "}", "w = v + 1"});
  EXPECT_EQ(outcome.status, kStatusWarning);
  EXPECT_EQ(outcome.message,
            "Warning: variable \"v\" may be used before its value is set (see previous \"if\", \"while\" or \"for\" "
            "operators).");
  EXPECT_EQ(outcome.line, 5);
}

TEST(Statements, EmptyProgramIsAnError) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"// only a comment", "   "});
  EXPECT_EQ(outcome.status, kStatusSyntaxError);
  EXPECT_EQ(outcome.message, "Error: the program code is empty.");
}

struct Rejection {
  std::vector<std::string> body;
  const char* message;
  int line;
};

class RejectedBlock : public ::testing::TestWithParam<Rejection> {};

TEST_P(RejectedBlock, GivesItsMessageAndLine) {
  EngineHarness engine;
  Outcome outcome = engine.Program(GetParam().body);
  EXPECT_EQ(outcome.status, kStatusSyntaxError);
  EXPECT_EQ(outcome.message, GetParam().message);
  EXPECT_EQ(outcome.line, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    ControlFlow, RejectedBlock,
    ::testing::Values(
        Rejection{{"for (i = 0;; i = i + 1) x = 1"},
                  "Incorrect format of the \"for\" loop header: the condition statement is empty.", 1},
        Rejection{{"x = 1", "for (i = 0; i < 3) x = 1"},
                  "Incorrect format of the \"for\" loop header: the number of semicolons is not equal to 2.", 2},
        Rejection{{"for (i = 0; i < (3; i = i + 1) x = 1"},
                  "Incorrect format of the \"for\" loop header: mismatched parentheses.", 1},
        Rejection{{"for (i = 0; i < 3; i = i + {1) x = 1"},
                  "Error: braces are not allowed inside the \"for\" loop header.", 1},
        Rejection{{"for (i = 0; i < 3; i = i + 1) if (i > 1) x = i"},
                  "If the first keyword inside the body of a \"for\" loop is \"if\", \"while\" or \"for\", then the "
                  "entire body of the loop must be enclosed by braces.",
                  1},
        Rejection{{"x = 1", "if (x) {", "for (i = 0; i < 3; i = i + 1)", "}"},
                  "The header of a \"for\" loop cannot be followed by the right brace.", 4},
        Rejection{{"x = 1 {", "}"}, "The left brace cannot be placed after a statement.", 1},
        Rejection{{"x = 1", "}"}, "Error: mismatched braces.", 2},
        Rejection{{"if (x = 1) y = 2"},
                  "Error: \"if\", \"while\" or \"for\" operator condition statement cannot contain the assignment "
                  "operator.",
                  1},
        Rejection{{"if ( ) y = 2"}, "Error: \"if\", \"while\" or \"for\" operator condition statement is empty.", 1},
        Rejection{{"x = 1", "else x = 2"},
                  "Error: incorrect usage of keywords \"while\", \"for\" or \"if\" and \"else\".", 2},
        Rejection{{"x = 1", "if (x) {", "  y = 1", "} y = 2"}, "Error: each right brace must be the last character of a line.",
                  4},
        Rejection{{"x = 1", "while (x) {", "  if (x) x = 0 }"},
                  "Error: the right brace belonging to a higher-level \"if\", \"while\" or \"for\" operator must be on "
                  "the next line.",
                  3}));

TEST(Statements, RightBraceMayFollowAStatementAndPrecedeElse) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"x = 2", "y = 0", "if (x == 1) {", "  y = 1 }", "else {", "  y = 3", "}", "Dir(y)"});
  EXPECT_EQ(outcome.status, kStatusNone) << outcome.message;
  EXPECT_EQ(Lines(outcome), std::vector<std::string>{"3\n"});
  Outcome sameLine = engine.Program({"x = 2", "y = 0", "if (x == 1) {", "  y = 1", "} else {", "  y = 4", "}", "Dir(y)"});
  EXPECT_EQ(sameLine.status, kStatusNone) << sameLine.message;
  EXPECT_EQ(Lines(sameLine), std::vector<std::string>{"4\n"});
}

}  // namespace
}  // namespace tessarin::engine::testing
