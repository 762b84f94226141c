// Every output file is written whole or not at all: on a full disk (a small
// tmpfs of our own) and past a file-size limit, each command that writes
// one fails with the system's reason and exit status 1, and leaves the file
// that was there before as it was, with no temporary file beside it.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "cli_runner.h"
#include "output_writers.h"
#include "support/small_filesystem.h"
#include "support/test_files.h"

namespace tessarin::testing {
namespace {

class FullDiskTest : public ::testing::Test {
 protected:
  // Each output over an older file in `disk`, written by `run`.
  void ExpectOlderFilesKept(const std::string& disk, const std::string& reason,
                            const std::function<CliRun(const std::vector<std::string>&)>& run) {
    for (const OutputWriter& output : OutputWriters()) {
      SCOPED_TRACE(output.command + (" " + output.file));
      WriteWholeFile(disk + output.file, "the older file\n");
      const CliRun result = run(folder.Args(output));
      EXPECT_EQ(result.exitCode, 1) << result.err;
      EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;
      EXPECT_EQ(ReadWholeFile(disk + output.file), "the older file\n");
    }
    for (const auto& entry : std::filesystem::directory_iterator(disk))
      EXPECT_EQ(entry.path().string().find(".saving-"), std::string::npos) << entry.path();
  }

  OutputWriterFolder folder;
};

TEST_F(FullDiskTest, OnAFullDiskTheOlderFilesStay) {
  SmallFilesystem disk(64 * 1024);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Failure();
  std::filesystem::create_directory_symlink(disk.path(), folder.File("disk"));
  for (const OutputWriter& output : OutputWriters()) WriteWholeFile(disk.File(output.file), "the older file\n");
  disk.Fill();
  ExpectOlderFilesKept(disk.path(), "No space left on device",
                       [&](const std::vector<std::string>& args) { return RunTessarinCli(args, folder.path()); });
}

TEST_F(FullDiskTest, PastAFileSizeLimitTheOlderFilesStay) {
  std::filesystem::create_directory(folder.File("disk"));
  ExpectOlderFilesKept(folder.File("disk/"), "File too large", [&](const std::vector<std::string>& args) {
    return RunTessarinCliWithFileSizeLimit(args, folder.path(), 1024);
  });
}

// A folder that is not there: each command names the system's reason.
TEST_F(FullDiskTest, AnOutputInAMissingFolderIsToldWithTheSystemsReason) {
  for (const OutputWriter& output : OutputWriters()) {
    SCOPED_TRACE(output.command + (" " + output.file));
    const CliRun result = RunTessarinCli(folder.Args(output), folder.path());
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.err.find("No such file or directory"), std::string::npos) << result.err;
  }
}

// The script fits, its track drawing does not: the older script stays too,
// rather than one that draws no tracks.
TEST_F(FullDiskTest, AnRtScriptWhoseTracksDoNotFitKeepsTheOlderScript) {
  std::filesystem::create_directory(folder.File("disk"));
  const OutputWriter& rt = OutputWriters()[0];
  ASSERT_EQ(RunTessarinCli(folder.Args(rt), folder.path()).exitCode, 0);
  const std::size_t script = std::filesystem::file_size(folder.File("disk/demo_lattice.rt"));
  ASSERT_GT(std::filesystem::file_size(folder.File("disk/demo_lattice_tracks0_source.rt")), script + 4096);
  for (const char* name : {"disk/demo_lattice.rt", "disk/demo_lattice_tracks0_source.rt"})
    WriteWholeFile(folder.File(name), "the older file\n");
  const CliRun result = RunTessarinCliWithFileSizeLimit(folder.Args(rt), folder.path(), script + 4096);
  EXPECT_EQ(result.exitCode, 1) << result.err;
  EXPECT_NE(result.err.find("File too large"), std::string::npos) << result.err;
  for (const char* name : {"disk/demo_lattice.rt", "disk/demo_lattice_tracks0_source.rt"})
    EXPECT_EQ(ReadWholeFile(folder.File(name)), "the older file\n") << name;
}

// With room enough, the same commands replace the older files.
TEST_F(FullDiskTest, WithRoomTheFilesAreReplaced) {
  std::filesystem::create_directory(folder.File("disk"));
  for (const OutputWriter& output : OutputWriters()) {
    SCOPED_TRACE(output.command + (" " + output.file));
    WriteWholeFile(folder.File("disk/" + output.file), "the older file\n");
    const CliRun result = RunTessarinCli(folder.Args(output), folder.path());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_GT(std::filesystem::file_size(folder.File("disk/" + output.file)), 1024u);
  }
}

}  // namespace
}  // namespace tessarin::testing
