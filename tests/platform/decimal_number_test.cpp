#include "platform/decimal_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tessarin::platform {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(DecimalNumber, OnlyDecimalNumbersWhateverFollows) {
  const struct {
    const char* text;
    double value;
    std::size_t length;
    bool inRange;
  } cases[] = {
      {"1.5", 1.5, 3, true},        {"+2 x", 2, 2, true},          {"-.5e3,", -500, 5, true},
      {"5.", 5, 2, true},           {"1e", 1, 1, true},            {"1e+", 1, 1, true},
      {"0x10", 0, 1, true},         {"inf", 0, 0, true},           {"-nan", 0, 0, true},
      {"+-1", 0, 0, true},          {"++1", 0, 0, true},           {".", 0, 0, true},
      {"1e400", kInf, 5, false},    {"-1e400", -kInf, 6, false},   {"1e-400", 0, 6, false},
      {"0.0001e-320", 0, 11, false}, {"1000e-326", 1e-323, 9, true}, {"0.00e999", 0, 8, true},
  };
  for (const auto& c : cases) {
    DecimalNumber number = ReadDecimal(c.text);
    EXPECT_EQ(number.length, c.length) << c.text;
    EXPECT_EQ(number.value, c.value) << c.text;
    EXPECT_EQ(number.inRange, c.inRange) << c.text;
  }
}

TEST(DecimalNumber, ACommaRightAfterTheNumberIsItsPoint) {
  const struct {
    const char* text;
    double value;
  } cases[] = {{"1,5", 1.5}, {"-2,25e1", -22.5}, {"1.5,3", 1.5}, {",5", 0}, {"7,", 7}, {"1e3,5", 1000}};
  for (const auto& c : cases) EXPECT_EQ(ReadDecimalWithComma(c.text).value, c.value) << c.text;
}

}  // namespace
}  // namespace tessarin::platform
