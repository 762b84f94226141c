#pragma once
// Assertions shared by the tests of cells, unions, surface expressions and
// the source.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "reader_fixture.h"

namespace tessarin::input::testing {

// The last line of the console; an error that stops a read is printed last.
inline std::string LastLine(const std::string& text) {
  std::size_t start = text.size() > 1 ? text.rfind('\n', text.size() - 2) : std::string::npos;
  return start == std::string::npos ? text : text.substr(start + 1);
}

struct StopCase {
  const char* text;     // what follows the common part of the file
  const char* message;  // the error that stops the read
};

// Each case, read after `before`, stops with its message.
inline void ExpectEachStops(const std::string& before, std::initializer_list<StopCase> cases) {
  for (const StopCase& c : cases) {
    ReaderFixture reader;
    ReadOutcome outcome = reader.Read(before + c.text + "\n");
    EXPECT_EQ(outcome.status, InputReadStatus::Stopped) << c.text;
    EXPECT_EQ(LastLine(outcome.console), c.message) << c.text;
  }
}

inline void ExpectNear(const Vec3& actual, const Vec3& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-12);
  EXPECT_NEAR(actual.y, expected.y, 1e-12);
  EXPECT_NEAR(actual.z, expected.z, 1e-12);
}

}  // namespace tessarin::input::testing
