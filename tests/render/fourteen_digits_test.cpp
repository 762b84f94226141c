// Coordinates written as "%.14g" writes them: every kind of double, the
// roundings that tie, the changes of notation and the largest and smallest
// numbers taken without the library.

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "render/fourteen_digits.h"

namespace tessarin::render {
namespace {

std::string Ours(double value) {
  char text[40];
  return std::string(text, WriteFourteenDigits(text, value));
}

std::string Printf(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.14g", value);
  return text;
}

TEST(FourteenDigits, AgreesWithPrintfOnEveryKindOfNumber) {
  std::mt19937_64 random(21);
  std::uniform_real_distribution<double> exponent(-16, 16), unit(-1, 1);
  for (int i = 0; i < 400000; ++i) {
    double value = 0;
    switch (i % 4) {
      case 0:  // anywhere in the range served, and beyond it
        value = std::copysign(std::pow(10.0, exponent(random)), unit(random));
        break;
      case 1: {  // a coordinate read from a track file, in millimetres
        char printed[32];
        std::snprintf(printed, sizeof printed, "%e", unit(random) * std::pow(10.0, i % 9 - 4));
        value = 10 * std::strtod(printed, nullptr);
        break;
      }
      case 2:  // any bits at all
        value = std::bit_cast<double>(random());
        break;
      default:  // few digits: short numbers, and halves that tie
        value = std::round(unit(random) * 1e6) / std::pow(10.0, i % 16);
        break;
    }
    ASSERT_EQ(Ours(value), Printf(value)) << std::hexfloat << value;
  }
}

TEST(FourteenDigits, NumbersNearSevenDigitDecimalsAsPrintfWritesThem) {
  // Up to 40 units in the last place either side of seven-digit decimals,
  // powers of ten among them: the quick way for such numbers must stop
  // where it could be wrong.
  std::mt19937_64 random(5);
  std::uniform_int_distribution<int> digits(1000000, 9999999), exponent(-19, 7);
  for (int i = 0; i < 4000; ++i) {
    const double decimal =
        std::strtod((std::to_string(i % 10 == 0 ? 1000000 : digits(random)) + "e" + std::to_string(exponent(random)))
                        .c_str(),
                    nullptr);
    double below = decimal, above = decimal;
    for (int step = 0; step <= 40; ++step) {
      ASSERT_EQ(Ours(below), Printf(below)) << std::hexfloat << below;
      ASSERT_EQ(Ours(-above), Printf(-above)) << std::hexfloat << above;
      below = std::nextafter(below, 0.0);
      above = std::nextafter(above, 1e300);
    }
  }
}

TEST(FourteenDigits, TiesNotationAndEdges) {
  const double kCases[] = {0.0, -0.0, 0.5, -2.5, 1e-5, 1.5e-5, 1e-4, 9.99999999999995e-5, 0.000123456789012345,
                           99999999999999.5, 9999999999999.5, 999999999999.95, 1e13, 1e-13, 9.9999999999999e12,
                           1.00000000000005, 1.00000000000015, 123456.789012345, 1e14, 1e15,
                           std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
                           std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
  for (double value : kCases) EXPECT_EQ(Ours(value), Printf(value)) << std::hexfloat << value;
  EXPECT_EQ(Ours(0.5), "0.5");
  EXPECT_EQ(Ours(1e-5), "1e-05");
  EXPECT_EQ(Ours(123456.789012345), "123456.78901235");  // the double lies just above the half
}

}  // namespace
}  // namespace tessarin::render
