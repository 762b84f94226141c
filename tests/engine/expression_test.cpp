#include <gtest/gtest.h>

#include "engine/engine_test_support.h"

namespace tessarin::engine::testing {
namespace {

TEST(Expressions, SignsAndPowersFollowTheLeftAssociativeRules) {
  EngineHarness engine;
  EXPECT_EQ(engine.Value("-2^2"), "-4");
  EXPECT_EQ(engine.Value("2^-2"), "0.25");
  EXPECT_EQ(engine.Value("2^3^2"), "64");
  // The zero goes in front of the second sign, so a - -b is a - 0 - b.
  EXPECT_EQ(engine.Value("10 - -3"), "7");
  EXPECT_EQ(engine.Value("2*-3 + 1"), "-5");
  EXPECT_EQ(engine.Value("1 < 2 < 3"), "1");
  EXPECT_EQ(engine.Value("1e-3 * 2"), "0.002");
  EXPECT_EQ(engine.Value("2.5E+1 - .5"), "24.5");
  EXPECT_EQ(engine.Value("1/3"), "0.33333333333333");
}

TEST(Expressions, OrBindsLooserThanAndWhichBindsLooserThanComparisons) {
  EngineHarness engine;
  EXPECT_EQ(engine.Value("0 == 0 | 1"), "1");   // (0 == 0) | 1, not 0 == (0 | 1)
  EXPECT_EQ(engine.Value("1 | 0 == 0"), "1");   // 1 | (0 == 0)
  EXPECT_EQ(engine.Value("0 == 1 & 0"), "0");   // (0 == 1) & 0, not 0 == (1 & 0)
  EXPECT_EQ(engine.Value("1 | 1 & 0"), "1");    // 1 | (1 & 0)
  EXPECT_EQ(engine.Value("0 & 1 | 1"), "1");    // (0 & 1) | 1
  EXPECT_EQ(engine.Value("1 + 1 == 2"), "1");   // (1 + 1) == 2
}

TEST(Expressions, ComparisonsAndLogicYieldOneOrZeroAndNaNIsTrue) {
  EngineHarness engine;
  EXPECT_EQ(engine.Value("(0/0) & 1"), "1");
  EXPECT_EQ(engine.Value("(0/0) | 0"), "1");
  EXPECT_EQ(engine.Value("(0/0) == (0/0)"), "0");
  EXPECT_EQ(engine.Value("(0/0) != (0/0)"), "1");
  EXPECT_EQ(engine.Value("3 <> 4"), "1");
  EXPECT_EQ(engine.Value("3 != 3"), "0");
  EXPECT_EQ(engine.Value("1/0"), "inf");
}

TEST(Expressions, NamesIgnoreCase) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"X = 1", "Dir(x + 1, SQRT(4))"});
  ASSERT_EQ(outcome.lines.size(), 1u);
  EXPECT_EQ(outcome.lines[0], "22\n");
}

struct Rejection {
  const char* statement;
  const char* message;
};

class RejectedStatement : public ::testing::TestWithParam<Rejection> {};

TEST_P(RejectedStatement, GivesItsMessage) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"a = 1", "b = 2", GetParam().statement});
  EXPECT_EQ(outcome.status, kStatusSyntaxError);
  EXPECT_EQ(outcome.message, GetParam().message);
  EXPECT_EQ(outcome.line, 3);
  EXPECT_TRUE(outcome.fatal);
}

INSTANTIATE_TEST_SUITE_P(
    Diagnostics, RejectedStatement,
    ::testing::Values(
        Rejection{"x = y = 1", "Error: two assignment operators found in a single statement."},
        Rejection{"x = a && b", "Error: an illegal sequence of two binary operators, or an operator and a separator, or two separators found."},
        Rejection{"x = !a", "Error: incorrect usage of the character '!'."},
        Rejection{"!a", "Error: incorrect usage of the character '!'."},
        Rejection{"x = rand", "Error: missing left parenthesis after the function name \"rand\"."},
        Rejection{"x = sin(1, 2)", "Error: a call to function \"sin\" has too many arguments."},
        Rejection{"x = max(1)", "Error: a call to function \"max\" has too few arguments."},
        Rejection{"x = nosuch(1)", "Unknown function \"nosuch\"."},
        Rejection{"x = nosuch + 1", "Unknown identifier \"nosuch\"."},
        Rejection{"x = 2x + 1", "Unknown identifier \"2x\"."},
        Rejection{"x = .5@1", "Unknown identifier \".5@1\"."},
        Rejection{"x = 1.5e2y", "Unknown identifier \"1.5e2y\"."},
        Rejection{"x = a ? b", "Unknown separator '?'."},
        Rejection{"x = a . b", "Error: misplaced separator '.'."},
        Rejection{"x = (a + b", "Error: mismatched parentheses."},
        Rejection{"x = a[1", "Error: mismatched brackets."},
        Rejection{"x = (a]", "Error: mismatched parentheses or brackets."},
        Rejection{"x = (a) 2", "Error: the right parenthesis precedes a numerical constant."},
        Rejection{"x = (a) sin(1)", "Error: the right parenthesis precedes a function name."},
        Rejection{"x = (a) (b)", "Error: the right parenthesis precedes the left parenthesis."},
        Rejection{"x = (a) b", "Error: the right parenthesis cannot be followed by \"b\"."},
        Rejection{"x = ()", "Incorrect usage of parentheses."},
        Rejection{"x = (a, b)", "Incorrect usage of the comma (the comma can only be used to separate function arguments or array indices)."},
        Rejection{"x = a +", "Error: the expression ends with an arithmetic or logical operator symbol."},
        Rejection{"x = a,", "Error: the expression ends with the comma."},
        Rejection{"*a", "Error: the expression begins with an arithmetic or logical operator symbol."},
        Rejection{"-x = 1", "Error: the expression begins with an arithmetic or logical operator symbol."},
        Rejection{"(x) = 1", "Error: the expression begins with a parenthesis."},
        Rejection{", a", "Error: the expression begins with the comma."},
        Rejection{"x = ", "Error: empty string after the assignment operator."},
        Rejection{"a + b = 1", "Error: no arithmetic operators may be used before the assignment operator."},
        Rejection{"5 = a", "Error: numerical constants cannot appear before the assignment operator."},
        Rejection{"a' = 1", "Error: illegal character sequence before the assignment operator."},
        Rejection{"@1 = 2", "Error: the identifier \"@1\" may not appear on the left-hand side of an assignment statement."},
        Rejection{"sin = 2", "Error: the identifier \"sin\" of a built-in function cannot appear before the assignment operator."},
        Rejection{"p = 2", "Error: the identifier \"p\" of a program cannot appear before the assignment operator."},
        Rejection{"x = \"text\"", "Error: misplaced separator '\"'."},
        Rejection{"Dir(\"a) ", "Error: Missing closing double quote"},
        Rejection{"Dir(\"a\") + Print(\"b\")",
                  "Error: Functions Dir, Dir2, Write, Write2, Print, Print2, System, FopenW, FopenR and SetNumberFormat "
                  "cannot be specified more than once in a single statement."},
        Rejection{"x = indirect(loc(5))", "Error: a constant is used as an argument of function \"loc\"."},
        Rejection{"x = indirect(loc(a + b))", "Error: an expression is used as an argument of function \"loc\"."},
        Rejection{"x = indirect(loc(@2))", "Error: the system variable \"@2\" is used as an argument of function \"loc\"."},
        Rejection{"x = indirect(loc(loc))", "Error: location of the built-in function \"loc\" cannot be used as an argument of another function."},
        Rejection{"x = sin(loc(a))", "Error: wrong argument type (built-in function \"sin\", argument No. 1)."},
        Rejection{"x = Sum(a*a, 3, 1, 2)", "Error: a constant is used as argument No. 2 of function \"Sum\"."},
        Rejection{"x = Sum(a*a, a + 1, 1, 2)", "Error: an expression is used as argument No. 2 of function \"Sum\"."},
        Rejection{"x = Sum(a*a, IER, 1, 2)", "Error: the system variable \"IER\" is used as argument No. 2 of function \"Sum\"."},
        Rejection{"x = 1 +* 2", "Error: an illegal sequence of two binary operators, or an operator and a separator, or two separators found."}));

TEST(Expressions, LongNamesAreQuotedCutTo50Characters) {
  EngineHarness engine;
  std::string name(60, 'z');
  Outcome outcome = engine.Program({"x = " + name});
  EXPECT_EQ(outcome.message, "Unknown identifier \"" + std::string(50, 'z') + "\".");
}

TEST(Expressions, CallsOfArityZeroNeedEmptyParentheses) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"x = rand()", "Dir(x >= 0)"});
  ASSERT_EQ(outcome.lines.size(), 1u);
  EXPECT_EQ(outcome.lines[0], "1\n");
}

}  // namespace
}  // namespace tessarin::engine::testing
