#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "engine/command_permission.h"
#include "engine_test_support.h"
#include "support/test_files.h"

namespace tessarin::engine::testing {
namespace {

using tessarin::testing::ReadWholeFile;
using tessarin::testing::TempDir;
using tessarin::testing::WriteWholeFile;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

TEST(UserFiles, WriteGoesToTheOutputFileWhileOneIsOpen) {
  TempDir folder;
  EngineHarness engine;
  engine.compiler.SetFileFolders(folder.path(), folder.path());
  std::string path = folder.File("out.txt");
  Outcome outcome = engine.Program({"a = FopenW(" + Quoted(path) + ")", "Write(\"x = \", 2)", "Write2(\"y\")",
                                    "Write(\"z\")", "c = FcloseW()", "d = FcloseW()", "Write(\"line \", a, c, d)"});
  EXPECT_EQ(ReadWholeFile(path), "x = 2\nyz\n");
  // Closed again, Write generates directive lines.
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"line 100\n"});
}

TEST(UserFiles, OutputStaysOpenAcrossBlocks) {
  TempDir folder;
  EngineHarness engine;
  engine.compiler.SetFileFolders(folder.path(), folder.path());
  std::string path = folder.File("out.txt");
  engine.Program({"FopenW(" + Quoted(path) + ")", "Write(\"first\")"});
  engine.Program({"Write(\"second\")", "FcloseW()"});
  EXPECT_EQ(ReadWholeFile(path), "first\nsecond\n");
}

TEST(UserFiles, PathsThatCannotBeOpenedAnswerZeroOrMinusOne) {
  TempDir folder;
  EngineHarness engine;
  engine.compiler.SetFileFolders(folder.path(), folder.path());
  std::string fifo = folder.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  WriteWholeFile(folder.File("in.txt"), "1\n2\n3\n");
  std::string missing = folder.File("missing.txt");
  Outcome none = engine.Program({"Dir(FopenR(" + Quoted(missing) + "), FopenR(" + Quoted(folder.path()) + "), FopenR(" +
                                 Quoted(fifo) + "), FopenR(\"  \"))"});
  // Only one text function per statement: one call per line instead.
  Outcome results = engine.Program(
      {"a = FopenR(" + Quoted(missing) + ")", "b = FopenR(" + Quoted(folder.path()) + ")",
       "c = FopenR(" + Quoted(fifo) + ")", "d = FopenR(\"  \")", "e = FopenW(" + Quoted(folder.path()) + ")",
       "f = FopenW(" + Quoted(fifo) + ")", "g = FopenR(" + Quoted(folder.File("in.txt")) + ")",
       "h = FopenR(" + Quoted(missing) + ")", "i = FopenW(" + Quoted(folder.File("no/such/folder")) + ")",
       "Dir(a, b, c, d, e, f, g, h, i)"});
  EXPECT_EQ(none.status, kStatusSyntaxError);
  EXPECT_EQ(results.lines, std::vector<std::string>{"0000001-10\n"});
}

TEST(UserFiles, SkipLinesCountsWhatItRead) {
  TempDir folder;
  EngineHarness engine;
  engine.compiler.SetFileFolders(folder.path(), folder.path());
  std::string longLine(2500, 'x');
  WriteWholeFile(folder.File("in.txt"), "a\nb\n" + longLine + "\nc\n");
  Outcome outcome = engine.Program({"z = SkipLines(5)", "FopenR(" + Quoted(folder.File("in.txt")) + ")",
                                    "k = SkipLines(0.4)", "q = SkipLines(1.5)", "r = SkipLines(100)",
                                    "s = FcloseR()", "Dir(z, \" \", k, \" \", q, \" \", r, \" \", s)"});
  // The line of 2500 characters counts as three (999 characters each).
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"0 0 2 4 0\n"}) << outcome.message;
}

TEST(SystemCommands, AskedOnceWithTheFirstCommand) {
  TempDir folder;
  EngineHarness engine;
  RecordingPermission yes(true);
  engine.compiler.SetCommandPermission(&yes);
  std::string marker = folder.File("ran");
  Outcome outcome = engine.Program({"a = System(\"touch " + marker + "\")", "b = System(\"exit 3\")",
                                    "Dir(a, \" \", b)"});
  EXPECT_EQ(outcome.lines, std::vector<std::string>{"0 3\n"});
  EXPECT_EQ(yes.asked, std::vector<std::string>{"touch " + marker});
  struct stat status {};
  EXPECT_EQ(::stat(marker.c_str(), &status), 0);
}

TEST(SystemCommands, RefusedWithoutPermissionOrWhenTheAnswerIsNo) {
  TempDir folder;
  std::string marker = folder.File("ran");
  const std::string refused =
      "Runtime error when executing the built-in function \"System\" (the command was not run: commands of the "
      "system shell are not allowed in this reading of the input file; tessarin-cli runs them with "
      "--allow-system).";
  EngineHarness nobody;
  Outcome outcome = nobody.Program({"a = System(\"touch " + marker + "\")", "Dir(1)"});
  EXPECT_EQ(outcome.message, refused);
  EXPECT_TRUE(outcome.lines.empty());
  EngineHarness engine;
  RecordingPermission no(false);
  engine.compiler.SetCommandPermission(&no);
  EXPECT_EQ(engine.Program({"System(\"touch " + marker + "\")"}).message, refused);
  EXPECT_EQ(engine.Program({"System(\"touch " + marker + "\")"}).message, refused);
  EXPECT_EQ(no.asked.size(), 1u);
  struct stat status {};
  EXPECT_NE(::stat(marker.c_str(), &status), 0);
}

}  // namespace
}  // namespace tessarin::engine::testing
