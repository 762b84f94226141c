#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "engine_test_support.h"
#include "support/test_files.h"

// The integration built-ins against scipy's QUADPACK: the checked-in table
// made by tests/engine/quadpack_reference.py, and a fresh run of that script
// when scipy is installed.

namespace tessarin::engine::testing {
namespace {

struct Reference {
  std::string call;
  double result = 0, abserr = 0;
  int ier = 0, neval = 0;
};

std::vector<Reference> ParseTable(const std::string& text) {
  std::vector<Reference> rows;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    Reference row;
    row.call = line.substr(0, tab);
    std::istringstream numbers(line.substr(tab + 1));
    numbers >> row.result >> row.abserr >> row.ier >> row.neval;
    rows.push_back(row);
  }
  return rows;
}

void ExpectAgreement(const std::vector<Reference>& rows) {
  EngineHarness engine;
  for (const Reference& row : rows) {
    SCOPED_TRACE(row.call);
    Outcome outcome = engine.Program(
        {"SetNumberFormat(\"%.17g\")", "v = " + row.call, "Dir(v, \" \", IER, \" \", AbsErr, \" \", nEval)"});
    ASSERT_EQ(outcome.lines.size(), 1u) << outcome.message;
    std::istringstream numbers(outcome.lines[0]);
    double result = 0, abserr = 0, ier = 0, neval = 0;
    numbers >> result >> ier >> abserr >> neval;
    EXPECT_EQ(ier, row.ier);
    EXPECT_EQ(neval, row.neval);
    // Sums in another order differ in the last bits; the error estimates
    // are differences of close numbers and agree less closely.
    EXPECT_NEAR(result, row.result, 1e-12 * std::fabs(row.result) + 1e-15);
    EXPECT_NEAR(abserr, row.abserr, 2e-2 * std::fabs(row.abserr) + 1e-14);
  }
}

TEST(QuadpackReference, AgreesWithTheCheckedInTable) {
  std::vector<Reference> rows = ParseTable(tessarin::testing::ReadWholeFile(TESSARIN_TEST_DATA_DIR "/quadpack_reference.txt"));
  ASSERT_GE(rows.size(), 40u);
  ExpectAgreement(rows);
}

// A python with scipy, or empty.
std::string FindScipyPython() {
  for (const char* python : {"python3", "/usr/bin/python3"}) {
    std::string probe = std::string(python) + " -c 'import scipy.integrate' >/dev/null 2>&1";
    if (std::system(probe.c_str()) == 0) return python;
  }
  return {};
}

TEST(QuadpackReference, AgreesWithAFreshScipyRun) {
  std::string python = FindScipyPython();
  if (python.empty()) GTEST_SKIP() << "scipy is not installed";
  std::string command = python + " " TESSARIN_SOURCE_DIR "/tests/engine/quadpack_reference.py 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
  ASSERT_EQ(pclose(pipe), 0);
  std::vector<Reference> rows = ParseTable(text);
  ASSERT_GE(rows.size(), 40u);
  ExpectAgreement(rows);
}

}  // namespace
}  // namespace tessarin::engine::testing
