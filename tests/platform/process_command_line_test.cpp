#include "platform/process_command_line.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/test_files.h"

namespace tessarin::platform {
namespace {

using Words = std::vector<std::string>;

TEST(SplitArguments, BlanksSeparateQuotesGroup) {
  EXPECT_EQ(SplitArguments(""), Words{});
  EXPECT_EQ(SplitArguments(" \t "), Words{});
  EXPECT_EQ(SplitArguments("-c  run.g\tx"), (Words{"-c", "run.g", "x"}));
  EXPECT_EQ(SplitArguments(" \"my file.g\" 'a b'c"), (Words{"my file.g", "a bc"}));
  EXPECT_EQ(SplitArguments("\"\" x"), (Words{"", "x"}));
  // An unclosed quote runs to the end.
  EXPECT_EQ(SplitArguments("a \"b c"), (Words{"a", "b c"}));
}

TEST(SplitShellWords, QuotesAndBackslashesAsTheShellTakesThem) {
  EXPECT_EQ(SplitShellWords("'it'\\''s $HOME' b\\ c"), (Words{"it's $HOME", "b c"}));
  EXPECT_EQ(SplitShellWords("\"a \\\"q\\\" \\$x \\n\" ''"), (Words{"a \"q\" $x \\n", ""}));
  EXPECT_EQ(SplitShellWords("x 'open"), (Words{"x", "open"}));
}

TEST(QuoteForShell, OnlyWhatTheShellWouldInterpret) {
  EXPECT_EQ(QuoteForShell("Varnholt"), "Varnholt");
  EXPECT_EQ(QuoteForShell("/a/b-c_d.txt"), "/a/b-c_d.txt");
  EXPECT_EQ(QuoteForShell(""), "''");
  EXPECT_EQ(QuoteForShell("my runs/a.txt"), "'my runs/a.txt'");
  EXPECT_EQ(QuoteForShell("it's $HOME"), "'it'\\''s $HOME'");
  EXPECT_EQ(JoinForShell({"-e", "a b"}), "-e 'a b'");
}

TEST(FindExecutable, PathSearchOrRelativeToTheDirectory) {
  tessarin::testing::TempDir dir;
  tessarin::testing::WriteWholeFile(dir.File("tool"), "#!/bin/sh\n");
  ::chmod(dir.File("tool").c_str(), 0755);
  ::mkdir(dir.File("folder").c_str(), 0755);
  EXPECT_EQ(FindExecutable("./tool", dir.path()), dir.path() + "./tool");
  EXPECT_EQ(FindExecutable(dir.File("tool"), "/"), dir.File("tool"));
  EXPECT_FALSE(FindExecutable("folder", dir.path()).has_value());
  EXPECT_FALSE(FindExecutable("./folder", dir.path()).has_value());
  // A bare name is searched in PATH only, not in the directory.
  EXPECT_FALSE(FindExecutable("tool", dir.path()).has_value());
  std::optional<std::string> shell = FindExecutable("sh", dir.path());
  ASSERT_TRUE(shell.has_value());
  EXPECT_EQ(shell->substr(shell->size() - 3), "/sh");
  EXPECT_FALSE(FindExecutable("", dir.path()).has_value());
}

}  // namespace
}  // namespace tessarin::platform
