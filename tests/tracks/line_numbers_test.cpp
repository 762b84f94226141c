#include "tracks/line_numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <string>

#include "platform/decimal_number.h"

namespace tessarin::tracks {
namespace {

// Numbers of the short form that track files use are scaled with one exact
// multiplication; they must come out to the bit as the general reader
// gives them, and consume the same characters.
void ExpectSameAsTheGeneralReader(const std::string& text) {
  std::string_view rest = text;
  double value = 0;
  const platform::DecimalNumber general = platform::ReadDecimal(text);
  ASSERT_TRUE(TakeReal(rest, value)) << text;
  EXPECT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(general.value)) << text;
  EXPECT_EQ(text.size() - rest.size(), general.length) << text;
}

TEST(LineNumbers, ShortNumbersAgreeToTheBitWithTheGeneralReader) {
  for (const char* text : {"0", "-0", "-0.0", "+5", "1.", ".5", "7e0", "1e22", "1e-22", "9.99999999999999e22",
                           "123456789012345e7", "0.000000000000000000001", "-1.234567e+02", "1E+3 4",
                           "123456789012345", "1234567890123456", "1e23", "1e-23", "2.5e-320", "0.1e1x"})
    ExpectSameAsTheGeneralReader(text);

  std::mt19937_64 random(5);
  std::uniform_int_distribution<int> digitCount(1, 16), digit(0, 9), exponent(-30, 30), coin(0, 1);
  for (int n = 0; n < 20000; ++n) {
    const int digits = digitCount(random);
    const int point = std::uniform_int_distribution<int>(0, digits)(random);
    std::string text = coin(random) ? "-" : "";
    for (int k = 0; k < digits; ++k) {
      if (k == point) text += '.';
      text += static_cast<char>('0' + digit(random));
    }
    if (coin(random)) text += "e" + std::to_string(exponent(random));
    ExpectSameAsTheGeneralReader(text);
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace tessarin::tracks
