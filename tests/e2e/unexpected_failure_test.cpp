// A failure that no command foresees still ends the command with a message
// on standard error and status 1.

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <streambuf>

#include "app/cli/cli.h"
#include "cli_runner.h"

namespace tessarin::cli {
namespace {

class FailingBuffer final : public std::streambuf {
 protected:
  int overflow(int) override { throw std::runtime_error("the output device failed"); }
};

TEST(UnexpectedFailure, AnExceptionEndsTheCommandWithStatusOne) {
  FailingBuffer buffer;
  std::ostream out(&buffer);
  out.exceptions(std::ios::badbit);
  std::istringstream in;
  std::ostringstream err;
  CommandIo io{in, out, err};
  EXPECT_EQ(RunCli({"sets", testing::TestDataFile("launch_runs.tesprm")}, io), kExitFailure);
  EXPECT_EQ(err.str(), "tessarin-cli sets: unexpected failure: the output device failed\n");
}

}  // namespace
}  // namespace tessarin::cli
