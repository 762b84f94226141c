#include <gtest/gtest.h>

#include "engine/engine_test_support.h"
#include "engine/messages.h"

namespace tessarin::engine::testing {
namespace {

TEST(Subroutines, ValueAndLocationParameters) {
  EngineHarness engine;
  Outcome sub = engine.Block(BlockKind::kSubroutine, "bump", {"  r = a + 1", "  a * 10"}, "(a, loc(r))");
  EXPECT_EQ(sub.status, kStatusNone) << sub.message;
  Outcome outcome = engine.Program({"x = 0", "y = bump(5, loc(x))", "Dir(x, \" \", y)"});
  EXPECT_EQ(outcome.status, kStatusNone) << outcome.message;
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"6 50\n"});
}

TEST(Subroutines, LocationParameterPassedOnWritesToTheOriginal) {
  EngineHarness engine;
  engine.Block(BlockKind::kSubroutine, "inner", {"  v = v * 2"}, "(loc(v))");
  engine.Block(BlockKind::kSubroutine, "outer", {"  inner(loc(w))", "  w = w + 1"}, "(loc(w))");
  Outcome outcome = engine.Program({"z = 3", "outer(loc(z))", "Dir(z)"});
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"7\n"});
}

TEST(Subroutines, FunctionParameters) {
  EngineHarness engine;
  engine.Block(BlockKind::kSubroutine, "square", {"  v * v"}, "(v)");
  Outcome apply = engine.Block(BlockKind::kSubroutine, "apply", {"  2 * f(x)"}, "(loc(f(value)), x)");
  EXPECT_EQ(apply.status, kStatusNone) << apply.message;
  Outcome outcome = engine.Program({"Dir(apply(loc(square), 3))"});
  EXPECT_EQ(outcome.status, kStatusNone) << outcome.message;
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"18\n"});
  Outcome wrong = engine.Program({"Dir(apply(loc(apply), 3))"});
  EXPECT_EQ(wrong.message, "Error: wrong argument type (subroutine \"apply\", argument No. 1).");
}

TEST(Subroutines, RecursionUpTo1000NestedCalls) {
  EngineHarness engine;
  engine.Block(BlockKind::kSubroutine, "deep", {"  d = 0", "  if (n > 0) {", "    d = deep(n - 1) + 1", "  }", "  d"},
               "(n)");
  Outcome allowed = engine.Program({"Dir(deep(999))"});
  EXPECT_EQ(allowed.lines, std::vector<std::string>{"999\n"});
  Outcome tooDeep = engine.Program({"x = 1", "Dir(deep(1000))"});
  EXPECT_EQ(tooDeep.status, kStatusRuntimeError);
  EXPECT_EQ(tooDeep.message,
            "Runtime error: subroutine call depth (nesting level) exceeds 1000. Stack overflow is possible.");
  EXPECT_EQ(tooDeep.line, 2);
  EXPECT_TRUE(tooDeep.fatal);
}

TEST(Subroutines, RuntimeErrorInACalleeIsReportedAtTheCallAndTheCallerGoesOnWithNaN) {
  EngineHarness engine;
  engine.Block(BlockKind::kSubroutine, "later", {"  Sum2(x*x, x, 0, 1, a - 1)"}, "(a)");
  Outcome outcome = engine.Program({"y = later(1)", "Dir(y)"});
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"nan\n"});
  EXPECT_EQ(outcome.status, kStatusRuntimeError);
  EXPECT_EQ(outcome.message,
            "Runtime error in subroutine \"later\" when executing the built-in function \"Sum2\" (last argument "
            "is equal to zero).");
  EXPECT_EQ(outcome.line, 1);
}

TEST(Subroutines, CallingABlockWithErrorsDoesNotCompile) {
  EngineHarness engine;
  engine.Block(BlockKind::kSubroutine, "broken", {"  x = (1"}, "(a)");
  Outcome outcome = engine.Program({"Dir(broken(1))"});
  EXPECT_EQ(outcome.message, "There are errors in program \"broken\".");
  engine.Block(BlockKind::kSubroutine, "apply", {"  f(1)"}, "(loc(f(v)))");
  Outcome passed = engine.Program({"Dir(apply(loc(broken)))"});
  EXPECT_EQ(passed.message, "There are errors in program \"broken\".");
}

TEST(Subroutines, UnusedFormalParameterWarns) {
  EngineHarness engine;
  Outcome outcome = engine.Block(BlockKind::kSubroutine, "f", {"  a + 1"}, "(a, b)");
  EXPECT_EQ(outcome.status, kStatusWarning);
  EXPECT_EQ(outcome.message, "Warning: formal parameter \"b\" is not used.");
  EXPECT_EQ(outcome.line, 1);
}

struct FormalRejection {
  const char* list;
  const char* message;
};

class RejectedFormalList : public ::testing::TestWithParam<FormalRejection> {};

TEST_P(RejectedFormalList, GivesItsMessage) {
  EngineHarness engine;
  engine.Block(BlockKind::kParameters, "", {"g = 1"});
  engine.Block(BlockKind::kSubroutine, "other", {"  1"});
  Outcome outcome = engine.Block(BlockKind::kSubroutine, "f", {"  1"}, GetParam().list);
  EXPECT_EQ(outcome.status, kStatusSyntaxError);
  EXPECT_EQ(outcome.message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    FormalLists, RejectedFormalList,
    ::testing::Values(
        FormalRejection{"(a, a)", "Error: duplicate name \"a\" found in the list of formal parameters."},
        FormalRejection{"(sin)", "Error: the name \"sin\" is already used to identify a built-in function."},
        FormalRejection{"(nEval)", "Error: the name \"nEval\" is already used to identify a system variable."},
        FormalRejection{"(1a)", "Parameter name cannot begin with a number."},
        FormalRejection{"(a, )", "Parameter name cannot be empty."},
        FormalRejection{"(f)", "Error: the name of a formal parameter coincides with the subroutine name."},
        FormalRejection{"(g, other)",
                        "Error: the formal parameter names coincide with the names of the following global "
                        "objects:\r\nglobal parameter \"g\", \r\nsubroutine \"other\".\n"},
        FormalRejection{"(loc(+))", "Syntax error in specification of an address of a variable, array or function."},
        FormalRejection{"(loc(a[x]))",
                        "Syntax error in specification of the number of array dimensions: only commas, spaces and "
                        "tabs are allowed between brackets '[' and ']'."},
        FormalRejection{"(loc(a[,,,,,,,,,,,,,,,,,,,,]))", "Error: number of array dimensions is greater than 20."},
        FormalRejection{"(loc(a[ ",
                        "Syntax error in specification of the number of array dimensions: missing right bracket ']'."},
        FormalRejection{"(loc(a[ ] x)",
                        "Syntax error in specification of an address of an array: missing right parenthesis after the "
                        "right bracket ']'."},
        FormalRejection{"(loc(h(a, b(c))))",
                        "In specification of arguments of a function, which is a formal parameter of another function, "
                        "each left parenthesis '(' must be preceded by the identifier \"loc\"."},
        FormalRejection{"(loc(h(loc(c[,,]))))",
                        "Arrays that are arguments of a function, which is itself a formal parameter, can have only "
                        "one or two dimensions."},
        FormalRejection{"(loc(h(a, b, c, d)))",
                        "A function that is used as a formal parameter of another function cannot have more than 3 "
                        "arguments."},
        FormalRejection{"(a, b", "The right parenthesis indicating the end of the list of formal parameters is absent."},
        FormalRejection{"(a) x = a",
                        "Error: the remainder of the line after the list of formal parameters is not empty (the body "
                        "of a subroutine begins on the next line)."}));

TEST(GlobalParameters, DefinedByParametersAndSharedByLaterBlocks) {
  EngineHarness engine;
  Outcome parameters = engine.Block(BlockKind::kParameters, "", {"a = 1", "b = a + 1"});
  EXPECT_EQ(parameters.status, kStatusNone) << parameters.message;
  ASSERT_EQ(engine.compiler.Globals().size(), 2);
  Outcome first = engine.Program({"Dir(a, \" \", b)", "a = 5"});
  EXPECT_EQ(first.lines, std::vector<std::string>{"1 2\n"});
  Outcome second = engine.Program({"Dir(a)"});
  EXPECT_EQ(second.lines, std::vector<std::string>{"5\n"});
}

TEST(GlobalParameters, ParametersBlockWithoutVariablesWarns) {
  EngineHarness engine;
  Outcome outcome = engine.Block(BlockKind::kParameters, "", {"Print(\"hello\")"});
  EXPECT_EQ(outcome.status, kStatusWarning);
  EXPECT_EQ(outcome.message, "Warning: the \"PARAMETERS\" code does not define any global parameters.");
  EXPECT_NE(outcome.console.find("hello\n"), std::string::npos);
  EXPECT_NE(outcome.console.find("Line No. 2 of user code block \"PARAMETERS\" with the syntax warning:\n"),
            std::string::npos);
}

TEST(ProgramNames, CollisionsAreNamedByKind) {
  EngineHarness engine;
  engine.Block(BlockKind::kParameters, "", {"width = 1"});
  engine.Block(BlockKind::kSubroutine, "helper", {"  1"});
  IdentifierCheck global = engine.compiler.CheckIdentifier("WIDTH", IdentifierCheckKind::kProgramName, "Program name");
  EXPECT_FALSE(global.accepted);
  EXPECT_EQ(global.message,
            "Error: the program name \"WIDTH\" coincides with the name of a previously-defined global parameter.");
  IdentifierCheck sub = engine.compiler.CheckIdentifier("helper", IdentifierCheckKind::kProgramName, "Program name");
  EXPECT_EQ(sub.message, "Error: the program name \"helper\" coincides with the name of a previously-defined subroutine.");
  IdentifierCheck bad = engine.compiler.CheckIdentifier("a+b", IdentifierCheckKind::kProgramName, "Program name");
  EXPECT_EQ(bad.message, "Program name cannot contain separators or special symbols.");
  EXPECT_TRUE(engine.compiler.CheckIdentifier("fresh", IdentifierCheckKind::kProgramName, "Program name").accepted);
}

TEST(References, IndirectReadsOnlyThroughValidReferences) {
  EngineHarness engine;
  Outcome ok = engine.Program({"x = 5", "Dir(indirect(loc(x)))"});
  EXPECT_EQ(ok.lines, std::vector<std::string>{"5\n"});
  Outcome forged = engine.Program({"x = 5", "r = 1125899906842624 + 123456", "Dir(indirect(r))"});
  EXPECT_TRUE(forged.lines.empty());
  EXPECT_EQ(forged.status, kStatusRuntimeError);
  EXPECT_EQ(forged.message,
            "Runtime error when executing the built-in function \"indirect\" (the argument is not a valid reference "
            "to a variable).");
  EXPECT_EQ(forged.line, 3);
  Outcome plain = engine.Program({"Dir(indirect(7))"});
  EXPECT_EQ(plain.status, kStatusRuntimeError);
}

TEST(References, MemcpyCopiesWithinOneVariableOnly) {
  EngineHarness engine;
  Outcome copied = engine.Program({"a = 1", "b = 2.5", "r = memcpy(loc(a), loc(b), 8)", "Dir(r, \" \", a)"});
  EXPECT_EQ(copied.lines, std::vector<std::string>{"0 2.5\n"});
  Outcome outOfRange = engine.Program({"a = 1", "b = 2", "r = memcpy(loc(a), loc(b), 0-0.5) + memcpy(loc(a), loc(b), 2147483647.5)", "Dir(r, \" \", a)"});
  EXPECT_EQ(outOfRange.lines, std::vector<std::string>{"-2 1\n"});
  Outcome nothing = engine.Program({"a = 1", "b = 2", "r = memcpy(loc(a), loc(b), 0.4)", "Dir(r, \" \", a)"});
  EXPECT_EQ(nothing.lines, std::vector<std::string>{"0 1\n"});

  SCOPED_TRACE("through a loc formal of a subroutine");
  ASSERT_EQ(engine.Block(BlockKind::kSubroutine, "take", {"t = w", "memcpy(loc(v), loc(t), 8)"}, "(loc(v), w)").status, kStatusNone);
  Outcome through = engine.Program({"a = 1", "take(loc(a), 7)", "Dir(a)"});
  EXPECT_EQ(through.lines, std::vector<std::string>{"7\n"});

  Outcome tooLong = engine.Program({"a = 1", "b = 2", "r = memcpy(loc(a), loc(b), 9)"});
  EXPECT_EQ(tooLong.status, kStatusRuntimeError);
  EXPECT_EQ(tooLong.message,
            "Runtime error when executing the built-in function \"memcpy\" (the number of bytes to copy passes the end "
            "of a referenced variable).");
  Outcome forged = engine.Program({"a = 1", "r = memcpy(loc(a), 1125899906842624 + 99999, 8)"});
  EXPECT_EQ(forged.status, kStatusRuntimeError);
  EXPECT_NE(forged.message.find("(the argument is not a valid reference to a variable)."), std::string::npos);
}

TEST(Diagnostics, SyntaxErrorIsFramedWithItsLineHeaderAndSourceLine) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"a = 1", "x = q  // comment"});
  EXPECT_EQ(outcome.console,
            "\n******** Unknown identifier \"q\". ********\n"
            "Line No. 3 of user program \"p\" with the syntax error:\n"
            "x = q  // comment\n\n");
}

TEST(Diagnostics, CatalogueAnswersAnUnknownNumberWithAnEmptyText) {
  EXPECT_EQ(MessageCatalogue::Lookup(99999), "");
  EXPECT_EQ(MessageCatalogue::Lookup(static_cast<int>(Msg::kProgramCodeEmpty)), "Error: the program code is empty.");
}

TEST(Diagnostics, CleanProgramPrintsNothing) {
  EngineHarness engine;
  Outcome outcome = engine.Program({"Dir(\"S 1 PZ 0\")"});
  EXPECT_EQ(outcome.console, "");
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"S 1 PZ 0\n"});
}

}  // namespace
}  // namespace tessarin::engine::testing
