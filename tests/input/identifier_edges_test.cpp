// Identifiers are numbers strictly between 0.5 and 2^31 - 0.5, rounded to
// the nearest integer: at both edges the one beyond must be refused, the one
// inside taken, wherever an identifier is read.

#include <gtest/gtest.h>

#include "reader_fixture.h"

namespace tessarin::input::testing {
namespace {

constexpr const char* kBase = "TR1 5 0 0\nM1\nS1 S 0 0 0 1\nC1 1 1 -1\n";

// Where a plain number names another object: the line with 0.5 is refused
// with `message`; the one with a number a little above it names object 1.
struct NumberedReference {
  const char* refused;
  const char* message;
  const char* accepted;
};

TEST(IdentifierEdges, NumbersThatNameAnotherObject) {
  for (const NumberedReference& reference :
       {NumberedReference{"S2 0.5 1\n",
                          "Error in specification of surface \"S2\": Invalid identifier of coordinate transformation "
                          "\"0.5\".\n",
                          "S2 0.5000001 1\n"},
        NumberedReference{"C2 1 1 TR1 0.5\n",
                          "Error: Invalid identifier of the original cell \"0.5\" after \"TR1\" in the definition of "
                          "a cell.\n",
                          "C2 1 1 TR1 0.51\n"}}) {
    ReaderFixture reader;
    EXPECT_EQ(reader.Read(std::string(kBase) + reference.refused).console, reference.message);
    ReadOutcome outcome = reader.Read(std::string(kBase) + reference.accepted);
    EXPECT_EQ(outcome.status, InputReadStatus::Loaded) << reference.accepted << outcome.console;
  }
}

TEST(IdentifierEdges, PrefixedIdentifierBelowTwoToThe31) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read(std::string(kBase) + "S2147483647.49 S 0 0 0 2\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  EXPECT_GE(reader.model.FindRegularSurface(2147483647), 0);
  EXPECT_TRUE(Contains(reader.Read(std::string(kBase) + "S2147483647.5 S 0 0 0 2\n").console,
                       "Error in specification of the surface \"S2147483647.5\""));
}

}  // namespace
}  // namespace tessarin::input::testing
