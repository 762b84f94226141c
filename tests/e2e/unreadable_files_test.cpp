// Paths that cannot be read as files, and parameter files that can be read
// only in part: every command ends with a message and status 1, never with
// an abort or a wait for a writer that never comes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "support/test_files.h"

namespace tessarin::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class UnreadableFiles : public ::testing::Test {
 protected:
  UnreadableFiles() {
    EXPECT_EQ(::mkfifo(File("pipe").c_str(), 0600), 0);
    EXPECT_EQ(::symlink(File("nowhere").c_str(), File("dangling").c_str()), 0);
    WriteWholeFile(File("locked"), "MATERIAL 1\n");
    ::chmod(File("locked").c_str(), 0);
  }
  CliRun Run(const std::vector<std::string>& args, const std::string& input = "") {
    return RunTessarinCli(args, folder_.path(), input);
  }
  std::string File(const std::string& name) const { return folder_.File(name); }
  // Root reads a file without read permission anyway.
  std::vector<std::string> Unreadable() const {
    std::vector<std::string> paths{".", "pipe", "dangling"};
    if (::geteuid() != 0) paths.push_back("locked");
    return paths;
  }

 private:
  TempDir folder_;
};

TEST_F(UnreadableFiles, CheckReportsThatTheInputFileCannotBeOpened) {
  for (const std::string& path : Unreadable()) {
    CliRun run = Run({"check", path});
    EXPECT_EQ(run.exitCode, 1) << path;
    EXPECT_EQ(run.err, "tessarin-cli check: File \"" + File(path) + "\" could not be opened for reading.\n") << path;
    EXPECT_EQ(run.out, "") << path;
  }
}

TEST_F(UnreadableFiles, ParameterFilesThatCannotBeOpened) {
  WriteWholeFile(File("in.txt"), "MATERIAL 1\n");
  for (const std::string& path : Unreadable()) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"sets", path}, {"show", path}, {"names", path}, {"cmdline", path},
          {"check", "in.txt", "--params", path}}) {
      CliRun run = Run(args);
      EXPECT_EQ(run.exitCode, 1) << args.front() << " " << path;
      EXPECT_THAT(run.err, StartsWith("tessarin-cli " + args.front() + ": cannot read parameter file '" + path + "': "))
          << path;
      EXPECT_EQ(run.out, "") << args.front() << " " << path;
    }
  }
  EXPECT_THAT(Run({"sets", "pipe"}).err, HasSubstr("it is not a regular file"));
  EXPECT_THAT(Run({"sets", "."}).err, HasSubstr("it is a folder"));
  EXPECT_THAT(Run({"sets", "dangling"}).err, HasSubstr("No such file or directory"));
  // A folder as standard input is not a parameter file either.
  EXPECT_EQ(Run({"sets", "-"}, File("")).exitCode, 1);
}

// Three sets, the second with a value out of range: the first is shown, the
// file's current set is lost with the rest, and the command fails.
TEST_F(UnreadableFiles, OneBadValueMakesTheParameterCommandsFail) {
  std::string text = ReadWholeFile(TestDataFile("launch_runs.tesprm"));
  const std::size_t second = text.find("\nNumbered runs\n");
  ASSERT_NE(second, std::string::npos);
  const std::size_t threads = text.find("\nnThreads = ", second);
  ASSERT_NE(threads, std::string::npos);
  text.replace(threads + 1, text.find('\n', threads + 1) - threads - 1, "nThreads = 4000");
  WriteWholeFile(File("three.tesprm"), text);
  const int line = static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(threads) + 1, '\n')) + 1;
  const std::string warning =
      "Warning: Error while reading parameter set No. 2 from file \"three.tesprm\" (incorrect file format).\n"
      "  at three.tesprm:" + std::to_string(line) + ": nThreads = 4000 is out of range\n";

  CliRun sets = Run({"sets", "three.tesprm"});
  EXPECT_EQ(sets.exitCode, 1);
  EXPECT_EQ(sets.out, " (1)  Relative folders\ncurrent set: 1\n");
  EXPECT_EQ(sets.err, warning);
  for (const char* command : {"show", "names", "cmdline"}) {
    CliRun run = Run({command, "three.tesprm"});
    EXPECT_EQ(run.exitCode, 1) << command;
    EXPECT_NE(run.out, "") << command;
    EXPECT_EQ(run.err, warning) << command;
  }
  CliRun piped = Run({"sets", "-"}, File("three.tesprm"));
  EXPECT_EQ(piped.exitCode, 1);
  EXPECT_EQ(piped.out, sets.out);
  EXPECT_THAT(piped.err, HasSubstr("nThreads = 4000 is out of range"));

  WriteWholeFile(File("in.txt"), "MATERIAL 1\n");
  EXPECT_EQ(Run({"check", "in.txt", "--params", "three.tesprm"}).exitCode, 1);
}

// The commands that work on the set do their work, and still fail.
TEST_F(UnreadableFiles, WorkOnASetOfAFileReadInPartEndsInFailure) {
  std::string text = ReadWholeFile(TESSARIN_SOURCE_DIR "/examples/demo.tesprm");
  text.resize(text.find("\nMy runs, 4 threads\n") + 1);
  text += "My runs, 4 threads\nInputFileFolder = \nnot a line of a set\n";
  WriteWholeFile(File("cut.tesprm"), text);
  WriteWholeFile(File("demo_lattice.inp"), ReadWholeFile(TESSARIN_SOURCE_DIR "/examples/demo_lattice.inp"));
  struct Work {
    std::vector<std::string> args;
    std::string written;  // a file the work leaves behind, or the output's start
  };
  for (const Work& work : std::vector<Work>{
           {{"rt", "cut.tesprm", "--yes"}, "demo_lattice.rt"},
           {{"plot", "cut.tesprm", "--pixels", "20x20", "-o", "slice.png"}, "slice.png"},
           {{"render", "cut.tesprm", "--size", "20x20", "--no-tracks", "-o", "view.png"}, "view.png"},
           {{"overlaps", "cut.tesprm", "--rays", "10"}, ""},
           {{"tracks", "count", "cut.tesprm"}, ""}}) {
    CliRun run = Run(work.args);
    EXPECT_EQ(run.exitCode, 1) << work.args.front();
    EXPECT_THAT(run.err, HasSubstr("Error while reading parameter set No. 2")) << work.args.front();
    if (!work.written.empty()) EXPECT_TRUE(std::filesystem::exists(File(work.written))) << work.args.front();
    else EXPECT_NE(run.out, "") << work.args.front();
  }
}

}  // namespace
}  // namespace tessarin::testing
