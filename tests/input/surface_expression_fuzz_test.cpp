// Random bounding lists, made of the characters that mean something in a
// surface reference, either define a cell or stop the read with a message;
// none may crash the reader or leave it half-way.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "reader_fixture.h"

namespace tessarin::input::testing {
namespace {

constexpr const char* kBodies =
    "M1\nS1 S 0 0 0 10\nS2 P 0 0 1 1\nS5 RCC 0 0 0 0 0 3 1\nS6 MB -1 +2\nTR1 1 0 0\nC9 1 1 -1\n";

std::string RandomToken(std::mt19937& random) {
  static const std::string alphabet = "-+.[]]#0125569/*TRtrCUT_EVOLFORCE";
  std::uniform_int_distribution<int> length(1, 12);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::string token;
  for (int k = length(random); k > 0; --k) token += alphabet[pick(random)];
  return token;
}

TEST(SurfaceExpressionFuzz, RandomReferencesEndInALoadOrAMessage) {
  std::mt19937 random(20261209);
  std::uniform_int_distribution<int> count(1, 8);
  ReaderFixture reader;
  for (int round = 0; round < 400; ++round) {
    std::string cell = "C1 1 1";
    for (int k = count(random); k > 0; --k) cell += " " + RandomToken(random);
    ReadOutcome outcome = reader.Read(std::string(kBodies) + cell + "\n");
    if (outcome.status == InputReadStatus::Loaded) {
      EXPECT_EQ(reader.model.cells.size(), 2u) << cell;
      continue;
    }
    ASSERT_EQ(outcome.status, InputReadStatus::Stopped) << cell;
    EXPECT_TRUE(outcome.console.find("rror") != std::string::npos) << cell << "\n" << outcome.console;
  }
}

TEST(SurfaceExpressionFuzz, DeepBracketsAreRefusedWithoutRecursion) {
  std::string deep;
  for (int k = 0; k < 100000; ++k) deep += "5.[";
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read(std::string(kBodies) + "C1 1 1 -" + deep.substr(0, 990) + "\n");
  EXPECT_EQ(outcome.console, "Error: Separator '.' found at bracket depth 2.\n");
  // The line is cut at 1000 characters; tokens of that length fail alike.
  outcome = reader.Read(std::string(kBodies) + "C1 1 1 " + std::string(995, '[') + "\n");
  EXPECT_EQ(outcome.status, InputReadStatus::Stopped);
}

}  // namespace
}  // namespace tessarin::input::testing
