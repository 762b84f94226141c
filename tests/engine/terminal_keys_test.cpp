// The terminal key source of tessarin-cli, on a pseudo-terminal standing in
// for standard input.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "platform/console.h"
#include "platform/terminal_keys.h"

namespace tessarin::platform {
namespace {

class PseudoTerminalInput : public ::testing::Test {
 protected:
  void SetUp() override {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master_, 0);
    ASSERT_EQ(grantpt(master_), 0);
    ASSERT_EQ(unlockpt(master_), 0);
    slave_ = open(ptsname(master_), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave_, 0);
    savedInput_ = dup(STDIN_FILENO);
    dup2(slave_, STDIN_FILENO);
  }
  void TearDown() override {
    dup2(savedInput_, STDIN_FILENO);
    close(savedInput_);
    close(slave_);
    close(master_);
  }
  void Type(const char* text) {
    ASSERT_EQ(write(master_, text, std::char_traits<char>::length(text)),
              static_cast<ssize_t>(std::char_traits<char>::length(text)));
    usleep(20000);  // let the terminal pass the bytes on
  }

  int master_ = -1;
  int slave_ = -1;
  int savedInput_ = -1;
};

TEST_F(PseudoTerminalInput, KeysArriveWithoutALineEndAndTheModeIsRestored) {
  termios before{};
  ASSERT_EQ(tcgetattr(STDIN_FILENO, &before), 0);
  {
    TerminalKeys keys;
    ASSERT_TRUE(keys.Active());
    EXPECT_EQ(keys.Poll(), std::nullopt);
    Type("\x1bq");
    EXPECT_EQ(keys.Poll(), kKeyEscape);
    EXPECT_EQ(keys.Poll(), 'Q');
    EXPECT_EQ(keys.Poll(), std::nullopt);
  }
  termios after{};
  ASSERT_EQ(tcgetattr(STDIN_FILENO, &after), 0);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
}

TEST(TerminalKeys, NothingHappensWithoutATerminal) {
  int saved = dup(STDIN_FILENO);
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  dup2(pipeEnds[0], STDIN_FILENO);
  {
    TerminalKeys keys;
    EXPECT_FALSE(keys.Active());
    EXPECT_EQ(keys.Poll(), std::nullopt);
  }
  dup2(saved, STDIN_FILENO);
  close(saved);
  close(pipeEnds[0]);
  close(pipeEnds[1]);
}

}  // namespace
}  // namespace tessarin::platform
