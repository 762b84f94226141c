// The new version of a file takes the old one's place only when complete.

#include "platform/file_replacement.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/file_size_limit.h"
#include "support/test_files.h"

namespace tessarin::platform {
namespace {

using tessarin::testing::ReadWholeFile;
using tessarin::testing::TempDir;
using tessarin::testing::WriteWholeFile;

std::size_t EntriesIn(const std::string& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

TEST(FileReplacement, TheOldFileStaysUntilTheNewOneIsCommitted) {
  TempDir folder;
  const std::string path = folder.File("out.rt");
  WriteWholeFile(path, "old\n");
  {
    FileReplacement file(path);
    ASSERT_FALSE(file.Failed()) << file.Reason();
    EXPECT_TRUE(file.Write(std::string(100000, 'x')));  // past the buffer
    EXPECT_EQ(ReadWholeFile(path), "old\n");
  }  // given up: never committed
  EXPECT_EQ(ReadWholeFile(path), "old\n");
  EXPECT_EQ(EntriesIn(folder.path()), 1u);
  FileReplacement file(path);
  file.Write("new\n");
  ASSERT_TRUE(file.Commit());
  EXPECT_EQ(ReadWholeFile(path), "new\n");
  EXPECT_EQ(EntriesIn(folder.path()), 1u);
}

TEST(FileReplacement, AFailedWriteKeepsTheOldFileAndTellsWhy) {
  TempDir folder;
  const std::string path = folder.File("out.rt");
  WriteWholeFile(path, "old\n");
  FileReplacement file(path);
  {
    tessarin::testing::FileSizeLimit limit(1000);
    file.Write(std::string(70000, 'x'));
    EXPECT_FALSE(file.Commit());
  }
  EXPECT_EQ(file.Reason(), "File too large");
  EXPECT_EQ(ReadWholeFile(path), "old\n");
  EXPECT_EQ(EntriesIn(folder.path()), 1u);
}

TEST(FileReplacement, PlacesThatTakeNoFileSayWhy) {
  TempDir folder;
  std::string reason;
  EXPECT_FALSE(ReplaceFile(folder.path(), "x", &reason));
  EXPECT_EQ(reason, "Is a directory");
  EXPECT_FALSE(ReplaceFile(folder.File("missing/out.rt"), "x", &reason));
  EXPECT_EQ(reason, "No such file or directory");
  // A device has no old contents to keep: it is written straight.
  EXPECT_TRUE(ReplaceFile("/dev/null", "x", &reason));
}

}  // namespace
}  // namespace tessarin::platform
