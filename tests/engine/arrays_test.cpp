#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine_test_support.h"
#include "support/test_files.h"

namespace tessarin::engine::testing {
namespace {

// Defines the ARRAYS block `lines`; the message, empty on success.
std::string Define(EngineHarness& engine, const std::vector<std::string>& lines, int* line = nullptr) {
  std::string message;
  int at = engine.compiler.DefineArrays(BlockText(lines), message);
  if (line) *line = at;
  return at < 0 ? std::string() : message;
}

TEST(ArraysBlock, DefinitionsInitializersAndIndexBase) {
  EngineHarness engine;
  ASSERT_EQ(Define(engine, {"// layer data", "INDEX_BASE 1", "double A[3] = {1, 2}, M[2, 2] = {4 7", "  2 6}",
                            "int B[2] = {1.9, -1.9}  uint1 C[1]", "uint1 C[1] = {-1}"}),
            "******** Incorrect format of the definition of an array. ********");
  EngineHarness fresh;
  ASSERT_EQ(Define(fresh, {"INDEX_BASE 1", "double A[3] = {1, 2}, M[2, 2] = {4 7", "  2 6}",
                           "int B[2] = {1.9, -1.9}", "uint1 C[1] = {-1}", "float F[1] = {0.1}", "int2 S[1] = {70000}"}),
            "");
  EXPECT_EQ(fresh.Value("A[3]"), "0");
  EXPECT_EQ(fresh.Value("A[0.6] + 10*M[2, 1]"), "21");
  EXPECT_EQ(fresh.Value("B[1]*10 + B[2]"), "9");
  EXPECT_EQ(fresh.Value("C[1]"), "255");
  EXPECT_EQ(fresh.Value("F[1] == 0.1"), "0");  // rounded to single precision
  EXPECT_EQ(fresh.Value("S[1]"), "4464");      // the low 16 bits of 70000
  Outcome outOfBounds = fresh.Program({"x = A[0.4]"});
  EXPECT_EQ(outOfBounds.message, "Runtime error when referencing array \"A\" (index is out of bounds).");
  EXPECT_EQ(fresh.Program({"x = M[1, 3]"}).message,
            "Runtime error when referencing array \"M\" (index is out of bounds).");
}

TEST(ArraysBlock, Messages) {
  struct Case {
    std::vector<std::string> lines;
    std::string message;
    int line;
  };
  const Case cases[] = {
      {{"double A[2] = {1, 2, 3}"}, "******** Too many initializers of array \"A\". ********", 0},
      {{"INDEX_BASE 1 x"},
       "******** Error: the remainder of the line after the directive \"INDEX_BASE 1\" is not empty. ********", 0},
      {{"INDEX_BASE 2"}, "******** The keyword \"INDEX_BASE\" must be followed by 0 or 1. ********", 0},
      {{"double A[1]", "INDEX_BASE 0"},
       "******** The keyword \"INDEX_BASE\" must be the first keyword after the \"ARRAYS\" directive. ********", 1},
      {{"double A [3]"}, "******** Incorrect format of the definition of an array. ********", 0},
      {{"A[3]"},
       "******** Incorrect format of the definition of an array: a new line must start with a keyword, unless it is "
       "inside the list of array initializers. ********",
       0},
      {{"double A[0]"}, "******** Invalid value of a dimension of array \"A\". ********", 0},
      {{"double A[2000000001]"}, "******** Invalid value of a dimension of array \"A\". ********", 0},
      {{"double A[3"}, "******** Missing right bracket in the definition of array \"A\". ********", 0},
      {{"double A[1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1]"},
       "******** Array \"A\" has too many dimensions. ********", 0},
      {{"double A[1000, 1000, 1000]"},
       "******** Array \"A\" would require 7.4506 GB of memory. Array size cannot exceed 2 GB. ********", 0},
      {{"double A[1] = 1"},
       "******** Error: The equality sign in the \"ARRAYS\" block must be followed by the left brace. ********", 0},
      {{"double A[2] = {1, x}"}, "******** Invalid value of an array \"A\" element. ********", 0},
      {{"double A[2] = {0x10}"}, "******** Invalid value of an array \"A\" element. ********", 0},
      {{"double A[2] = {1,", "-inf}"}, "******** Invalid value of an array \"A\" element. ********", 1},
      {{"double A[2] = {nan}"}, "******** Invalid value of an array \"A\" element. ********", 0},
      {{"double sin[2]"},
       "******** Error: the name \"sin\" is already used to identify a built-in function. ********", 0},
      {{"double A[2]", "float A[2]"}, "******** Error: the name \"A\" is already used to identify an array. ********",
       1},
      {{"// nothing"}, "******** Error: there are no arrays defined. ********", 0},
  };
  for (const Case& c : cases) {
    EngineHarness engine;
    int line = -2;
    EXPECT_EQ(Define(engine, c.lines, &line), c.message) << c.lines[0];
    EXPECT_EQ(line, c.line + 1) << c.lines[0];  // line 0 is the rest of the ARRAYS line
  }
}

TEST(Arrays, IndexBaseZeroAndAssignment) {
  EngineHarness engine;
  ASSERT_EQ(Define(engine, {"INDEX_BASE 0", "int N[2, 3]"}), "");
  Outcome outcome = engine.Program({"for (i = 0; i < 2; i = i + 1) {",
                                    "  for (j = 0; j < 3; j = j + 1) N[i, j] = 10*i + j + 0.7", "}",
                                    "Dir(N[1, 2], \" \", N[0, 0], \" \", Size(loc(N)), \" \", Size(loc(N[1])))"});
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"12 0 6 3\n"});
  EXPECT_EQ(engine.Value("Size2(loc(N), 0) + 10*Size2(loc(N), 1) + 100*Size2(loc(N), 2)"), "32");
  EXPECT_EQ(engine.Value("Size2(loc(N[0, 1]), 0)"), "0");  // no free dimension left
  EXPECT_EQ(engine.Program({"x = N[2, 0]"}).message,
            "Runtime error when referencing array \"N\" (index is out of bounds).");
  // Elements keep their values from block to block.
  EXPECT_EQ(engine.Value("N[1, 1]"), "11");
}

TEST(Arrays, SubroutinesTakeArrayParts) {
  EngineHarness engine;
  ASSERT_EQ(Define(engine, {"double A[2, 3] = {1, 2, 3, 4, 5, 6}"}), "");
  engine.Block(BlockKind::kSubroutine, "rowSum", {"  s = 0", "  for (j = 1; j <= 3; j = j + 1) s = s + R[j]", "  s"},
               "(loc(R[]))");
  EXPECT_EQ(engine.Value("rowSum(loc(A[2]))"), "15");
  engine.Block(BlockKind::kSubroutine, "setCorner", {"  Q[2, 3] = v"}, "(loc(Q[,]), v)");
  EXPECT_EQ(engine.Program({"setCorner(loc(A), 9)", "Dir(A[2, 3])"}).lines, std::vector<std::string>{"9\n"});
  Outcome outside = engine.Program({"x = rowSum(loc(A[2, 2]))"});  // R[3] would pass the end
  EXPECT_NE(outside.message.find("referencing array \"R\" (index is out of bounds)."), std::string::npos);
}

TEST(Arrays, MemcpyAndIndirectStayInsideTheStorage) {
  EngineHarness engine;
  ASSERT_EQ(Define(engine, {"double A[3] = {1, 2, 3}", "double B[3]"}), "");
  Outcome copied = engine.Program({"r = memcpy(loc(B), loc(A[2]), 16)", "Dir(r, B[1], B[2], B[3], indirect(loc(A[3])))"});
  EXPECT_EQ(copied.lines, std::vector<std::string>{"02303\n"});
  Outcome tooMany = engine.Program({"r = memcpy(loc(B), loc(A[2]), 17)"});
  EXPECT_EQ(tooMany.message,
            "Runtime error when executing the built-in function \"memcpy\" (the number of bytes to copy passes the end "
            "of a referenced variable).");
  Outcome fromVariable = engine.Program({"x = 7", "r = memcpy(loc(B[3]), loc(x), 8)", "Dir(B[3])"});
  EXPECT_EQ(fromVariable.lines, std::vector<std::string>{"7\n"});
  EXPECT_NE(engine.Program({"r = memcpy(loc(B[3]), loc(A), 9)"}).message.find("passes the end"), std::string::npos);
}

TEST(ArrayBuiltins, FindAndHist) {
  EngineHarness engine;
  ASSERT_EQ(Define(engine, {"double A[3] = {1, 2, 3}", "double E[3] = {1, 2, 3}", "double D[5] = {0, 1, 1.5, 3, 4}",
                            "int H[3]", "int K[3] = {3, 2, 1}", "double G[50]",
                            "double X[3] = {1, 3, 2}", "double Y[3] = {1, 1, 2}"}),
            "");
  EXPECT_EQ(engine.Value("Find(2.5, loc(A), 0)"), "2");
  EXPECT_EQ(engine.Value("Find(0.5, loc(A), 2)"), "0");
  EXPECT_EQ(engine.Value("Find(3, loc(A), 1)"), "3");
  EXPECT_EQ(engine.Value("Find(0/0, loc(A), 1) != Find(0/0, loc(A), 1)"), "1");
  EXPECT_EQ(engine.Value("Find2(2.5, loc(A), 0, 2, 2)"), "2");  // only A[1], A[2]: at or above the last
  EXPECT_EQ(engine.Value("Find2(2.5, loc(A), 0, 0, 2)"), "2");
  Outcome bisect = engine.Program({"for (i = 1; i <= 50; i = i + 1) G[i] = i*i", "Dir(Find(1000, loc(G), 0))"});
  EXPECT_EQ(bisect.lines, std::vector<std::string>{"31\n"});
  // x equal to an element gives that element's index from every hint, by
  // sequential search (short runs, method 0) and by bisection.
  for (int x : {1, 2, 3})
    for (const char* guess : {"-5", "1", "2", "3", "99"})
      EXPECT_EQ(engine.Value("Find(" + std::to_string(x) + ", loc(A), " + guess + ")"), std::to_string(x)) << guess;
  for (int k : {1, 2, 5, 49, 50})
    for (const char* call : {"Find(%d, loc(G), %s)", "Find2(%d, loc(G), %s, 0, 0)", "Find2(%d, loc(G), %s, 0, 2)"})
      for (const char* guess : {"1", "25", "50", "0"}) {
        char expression[80];
        std::snprintf(expression, sizeof expression, call, k * k, guess);
        EXPECT_EQ(engine.Value(expression), std::to_string(k)) << expression;
      }
  Outcome hist = engine.Program({"n = Hist(loc(D), loc(E), loc(H))", "Dir(n, H[1], H[2], H[3])"});
  EXPECT_EQ(hist.lines, std::vector<std::string>{"4211\n"});
  Outcome more = engine.Program({"n = Hist2(loc(D), loc(E), loc(H), 2, 1)", "Dir(n, H[1], H[2], H[3])"});
  EXPECT_EQ(more.lines, std::vector<std::string>{"2411\n"});
  EXPECT_EQ(engine.Program({"n = Hist(loc(D), loc(K), loc(H))"}).message,
            "Runtime error when executing the built-in function \"Hist\" (elements of array No. 2 are not floating-point "
            "numbers).");
  EXPECT_EQ(engine.Program({"n = Hist(loc(D), loc(X), loc(H))"}).message,
            "Runtime error when executing the built-in function \"Hist\" (elements of array No. 2 are not sorted in "
            "ascending order).");
  // Equal edges are no ascending order either.
  EXPECT_EQ(engine.Program({"n = Hist(loc(D), loc(Y), loc(H))"}).message,
            "Runtime error when executing the built-in function \"Hist\" (elements of array No. 2 are not sorted in "
            "ascending order).");
  EXPECT_EQ(engine.Program({"n = Find(1, loc(K), 0)"}).message,
            "Runtime error when executing the built-in function \"Find\" (array elements are not floating-point "
            "numbers).");
}

TEST(ArrayBuiltins, SortSort2AndReadArray) {
  tessarin::testing::TempDir folder;
  tessarin::testing::WriteWholeFile(folder.File("data.txt"), "3 1,5 x\n\t-2e1 7\n");
  EngineHarness engine;
  engine.compiler.SetFileFolders(folder.path(), folder.path());
  ASSERT_EQ(Define(engine, {"double A[5]", "int I[5]", "uint U[3] = {3, 4294967295, 1}", "double B[2]"}), "");
  Outcome read = engine.Program({"FopenR(\"" + folder.File("data.txt") + "\")", "n = ReadArray(loc(A))",
                                 "Dir(n, \" \", A[1], \" \", A[2], \" \", A[3], \" \", A[4], \" \", A[5])"});
  EXPECT_EQ(read.lines, std::vector<std::string>{"5 3 1.5 0 -20 7\n"});
  Outcome sorted = engine.Program({"Sort2(loc(A), loc(I))", "Dir(A[1], \" \", A[5], \" \", I[1], I[2], I[3], I[4], I[5])"});
  EXPECT_EQ(sorted.lines, std::vector<std::string>{"-20 7 43215\n"});
  EXPECT_EQ(engine.Program({"Sort(loc(U))", "Dir(U[1], \" \", U[3])"}).lines,
            std::vector<std::string>{"1 4294967295\n"});
  // Not-a-number sorts last; a part is sorted to the end of its array only.
  EXPECT_EQ(engine.Program({"A[1] = 3", "A[2] = 0/0", "A[3] = 1", "B[1] = -1", "Sort(loc(A[2]))",
                            "Dir(A[1], \" \", A[2], \" \", A[3], \" \", A[4], \" \", A[5] != A[5], \" \", B[1])"})
                .lines,
            std::vector<std::string>{"3 1 3 7 1 -1\n"});
  EXPECT_EQ(engine.Program({"Sort2(loc(A), loc(B))"}).message,
            "Runtime error when executing the built-in function \"Sort2\" (the data type of array No. 2 must be 4-byte "
            "signed integer).");
  // Only decimal numbers count; a word that is none gives 0.
  tessarin::testing::WriteWholeFile(folder.File("words.txt"), "nan inf 0x10 2,5e1 +.5\n");
  EXPECT_EQ(engine
                .Program({"FcloseR()", "FopenR(\"" + folder.File("words.txt") + "\")", "n = ReadArray(loc(A))",
                          "Dir(A[1], \" \", A[2], \" \", A[3], \" \", A[4], \" \", A[5])"})
                .lines,
            std::vector<std::string>{"0 0 0 25 0.5\n"});
  EXPECT_EQ(engine.Program({"FcloseR()", "n = ReadArray(loc(A))"}).message,
            "Runtime error when executing the built-in function \"ReadArray\" (there is no file open for reading).");
}

TEST(ArrayMemory, AllArraysTogetherStayWithinTheLimitAndSort2sCopyCountsWithThem) {
  EngineHarness engine;
  engine.compiler.SetArrayMemoryLimit(1000);
  int line = -1;
  EXPECT_EQ(Define(engine, {"uint1 A[100]", "int I[100]", "double D[50]", "double E[13]"}, &line),
            "******** Array \"E\" would bring the memory of all arrays to 9.3505e-07 GB. The arrays of one input file "
            "cannot take more than 9.3132e-07 GB together. ********");
  EXPECT_EQ(line, 4);  // after the opening line
  // 900 bytes are taken; Sort2 copies the 100 bytes of A, but not 101.
  EXPECT_EQ(engine.Program({"A[1] = 2", "Sort2(loc(A), loc(I))", "Dir(A[100], I[100])"}).lines,
            std::vector<std::string>{"21\n"});
  EXPECT_EQ(Define(engine, {"uint1 F[1]"}), "");
  EXPECT_EQ(engine.Program({"Sort2(loc(A), loc(I))"}).message,
            "Runtime error when executing the built-in function \"Sort2\" (insufficient memory for work arrays).");
}

TEST(ArrayBuiltins, InvertAndItsErrors) {
  EngineHarness engine;
  ASSERT_EQ(Define(engine, {"double M[2, 2] = {4, 7, 2, 6}", "double S[2, 2] = {1, 2, 2, 4}",
                            "double R[2, 3]", "float F[2, 2]", "double P[3, 3] = {0, 2, 1, 1, 0, 0, 3, 0, 1}",
                            "double Q[3, 3] = {0, 2, 1, 1, 0, 0, 3, 0, 1}", "double L[2, 2] = {1, 0, 3, 1}"}),
            "");
  Outcome inverted = engine.Program({"d = Invert(loc(M))", "Dir(d, \" \", M[1, 1], \" \", M[1, 2], \" \", M[2, 1], \" \", M[2, 2])"});
  EXPECT_EQ(inverted.lines, std::vector<std::string>{"10 0.6 -0.7 -0.2 0.4\n"});
  EXPECT_EQ(engine.Value("Invert(loc(S))"), "0");
  EXPECT_EQ(engine.Value("Invert(loc(L))"), "1");  // the pivot's row interchanged, its column not
  // Pivoting with row and column interchanges: P times its inverse is I.
  Outcome product = engine.Program({"d = Invert(loc(P))",
                                    "e = 0",
                                    "for (i = 1; i <= 3; i = i + 1) {",
                                    "  for (j = 1; j <= 3; j = j + 1) {",
                                    "    t = Sum(Q[i, k]*P[k, j], k, 1, 3)",
                                    "    e = max(e, abs(t - select(i == j, 1, 0)))",
                                    "  }",
                                    "}",
                                    "Dir(d, \" \", e < 1e-15)"});
  EXPECT_EQ(product.lines, std::vector<std::string>{"-2 1\n"});
  EXPECT_EQ(engine.Program({"d = Invert(loc(R))"}).message,
            "Runtime error when executing the built-in function \"Invert\" (matrix is not square).");
  EXPECT_EQ(engine.Program({"d = Invert(loc(F))"}).message,
            "Runtime error when executing the built-in function \"Invert\" (matrix elements are not 8-byte "
            "floating-point numbers).");
}

}  // namespace
}  // namespace tessarin::engine::testing
