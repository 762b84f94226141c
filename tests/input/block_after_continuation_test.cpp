// A block line right after a directive that ends with '&' is part of that
// directive while the user programs are run, but starts a directive of its
// own in the main pass. The read must stop there with a message, not silently.

#include <gtest/gtest.h>

#include "input/engine_user_code.h"
#include "reader_fixture.h"

namespace tessarin::input::testing {
namespace {

TEST(BlockAfterContinuation, StopsTheReadWithAMessage) {
  ReaderFixture reader;
  EngineUserCode engine;
  ReadOutcome outcome = reader.Read("M1 &\nPROGRAM cells\n  Dir(\"C1 1 -1 -1\")\nEND PROGRAM\n", engine);
  EXPECT_EQ(outcome.status, InputReadStatus::Stopped);
  EXPECT_EQ(outcome.console,
            "Error: The \"PROGRAM\" block in line No. 2 follows a directive that ends with the line-continuation "
            "character '&', so it was read as part of that directive and its user code was not run.\n");

  outcome = reader.Read("M1 \"steel\" &\n\nsubroutine twice(a)\n  a = 2 * a\nEND SUBROUTINE\nS1 S 0 0 0 1\nC1 1 1 -1\n", engine);
  EXPECT_TRUE(Contains(outcome.console, "Error: The \"SUBROUTINE\" block in line No. 3 follows")) << outcome.console;
}

}  // namespace
}  // namespace tessarin::input::testing
