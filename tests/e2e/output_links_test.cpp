// No command writes through a link: when an output's name is a symbolic
// link (to a file, to a folder, or to nothing) the command refuses, names the
// link and its target, and leaves both as they were; a hard link to a file
// elsewhere is broken by the new file, and the other name keeps its
// contents. Every output of every command, through one table.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "cli_runner.h"
#include "output_writers.h"
#include "support/test_files.h"

namespace tessarin::testing {
namespace {

namespace fs = std::filesystem;

enum class Name { kLinkToFile, kLinkToFolder, kDanglingLink, kHardLink };

struct NameCase {
  const char* what;
  Name name;
};

class OutputLinksTest : public ::testing::TestWithParam<NameCase> {
 protected:
  void SetUp() override {
    fs::create_directory(folder.File("disk"));
    fs::create_directory(folder.File("elsewhere"));
    WriteWholeFile(canary, "# the user's own file\n");
  }
  // Puts the case's kind of name at `output`; returns what a link points to.
  std::string Plant(const std::string& output) {
    switch (GetParam().name) {
      case Name::kLinkToFile: fs::create_symlink(canary, output); return canary;
      case Name::kLinkToFolder: fs::create_directory_symlink(folder.File("elsewhere"), output); return folder.File("elsewhere");
      case Name::kDanglingLink: fs::create_symlink(folder.File("elsewhere/none"), output); return folder.File("elsewhere/none");
      case Name::kHardLink: fs::create_hard_link(canary, output); return {};
    }
    return {};
  }

  OutputWriterFolder folder;
  std::string canary = folder.File("elsewhere/bashrc");
};

TEST_P(OutputLinksTest, NoCommandWritesThroughTheOutputsName) {
  for (const OutputWriter& writer : OutputWriters()) {
    SCOPED_TRACE(writer.command + (" " + writer.file));
    const std::string output = folder.File("disk/" + writer.file);
    const std::string target = Plant(output);
    const CliRun run = RunTessarinCli(folder.Args(writer), folder.path());
    EXPECT_EQ(ReadWholeFile(canary), "# the user's own file\n");
    if (GetParam().name == Name::kHardLink) {
      EXPECT_EQ(run.exitCode, 0) << run.err;
      struct stat status {};
      ASSERT_EQ(::lstat(output.c_str(), &status), 0);
      EXPECT_EQ(status.st_nlink, 1u);
      EXPECT_GT(status.st_size, 100);
    } else {
      EXPECT_EQ(run.exitCode, 1) << run.err;
      EXPECT_NE(run.err.find("disk/" + writer.file), std::string::npos) << run.err;
      EXPECT_NE(run.err.find("symbolic link to \"" + target + "\""), std::string::npos) << run.err;
      EXPECT_TRUE(fs::is_symlink(output));
      EXPECT_FALSE(fs::exists(folder.File("elsewhere/none")));
    }
    fs::remove_all(folder.File("disk"));
    fs::create_directory(folder.File("disk"));
  }
  // Nothing was made in the folder a link pointed to.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.File("elsewhere")), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(Names, OutputLinksTest,
                         ::testing::Values(NameCase{"LinkToFile", Name::kLinkToFile},
                                           NameCase{"LinkToFolder", Name::kLinkToFolder},
                                           NameCase{"DanglingLink", Name::kDanglingLink},
                                           NameCase{"HardLink", Name::kHardLink}),
                         [](const ::testing::TestParamInfo<NameCase>& info) { return info.param.what; });

}  // namespace
}  // namespace tessarin::testing
