#include <gtest/gtest.h>

#include <random>

#include "parameter_text.h"

namespace tessarin::settings {
namespace {

using testing::FreshSets;
using testing::ReadText;
using testing::WriteToText;

// Whatever the input, the reader ends with a usable list and at most one message.
void ExpectUsableResult(const std::string& text) {
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(text, host);
  ASSERT_FALSE(result.list.sets.empty());
  ASSERT_GE(result.list.current, 0);
  ASSERT_LT(result.list.current, static_cast<int>(result.list.sets.size()));
  ASSERT_LE(host.messages.size(), 1u);
  for (const VIEWPARM& set : result.list.sets) ASSERT_FALSE(set.rows.empty());
}

TEST(ReaderFuzz, EveryTruncationOfAGoodFile) {
  const std::string text = WriteToText(FreshSets(2, 1));
  for (std::size_t length = 0; length <= text.size(); ++length) ExpectUsableResult(text.substr(0, length));
}

TEST(ReaderFuzz, RandomByteChanges) {
  const std::string text = WriteToText(FreshSets(2, 1));
  std::mt19937 random(12345);
  std::uniform_int_distribution<std::size_t> position(0, text.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 2000; ++round) {
    std::string changed = text;
    for (int n = 0; n < 1 + round % 4; ++n) changed[position(random)] = static_cast<char>(byte(random));
    ExpectUsableResult(changed);
  }
}

TEST(ReaderFuzz, RandomBinaryGarbage) {
  std::mt19937 random(777);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 200; ++round) {
    std::string garbage(static_cast<std::size_t>(round * 37), '\0');
    for (char& c : garbage) c = static_cast<char>(byte(random));
    if (round % 2 == 0) garbage = "nParmSets = 2\ncurParmSet = 0\n" + garbage;
    ExpectUsableResult(garbage);
  }
  ExpectUsableResult(std::string(1 << 20, 'x'));
  ExpectUsableResult(std::string(1 << 20, '\n'));
}

}  // namespace
}  // namespace tessarin::settings
