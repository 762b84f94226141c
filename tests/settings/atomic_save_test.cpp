#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <sstream>

#include "parameter_text.h"
#include "support/file_size_limit.h"
#include "support/test_files.h"

namespace tessarin::settings {
namespace {

using tessarin::testing::ReadWholeFile;
using tessarin::testing::TempDir;
using tessarin::testing::WriteWholeFile;
using testing::FreshSets;
using testing::kStartup;

std::size_t EntriesIn(const std::string& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

TEST(Saving, WritesTheFileAndReadsBackWithoutMessages) {
  TempDir folder;
  const std::string path = folder.File("sets.tesprm");
  platform::ScriptedHost host;
  ASSERT_TRUE(WriteParameterFile(path, FreshSets(2, 1), kStartup, host));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(EntriesIn(folder.path()), 1u);  // no temporary file left over
  ParameterFileReadResult result = ReadParameterFile(path, true, host);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(result.list.sets.size(), 2u);
  EXPECT_EQ(result.list.current, 1);
}

TEST(Saving, ReplacesTheOldFileAndKeepsItsPermissions) {
  TempDir folder;
  const std::string path = folder.File("sets.tesprm");
  WriteWholeFile(path, "old contents");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  platform::ScriptedHost host;
  ASSERT_TRUE(WriteParameterFile(path, FreshSets(1), kStartup, host));
  EXPECT_EQ(ReadWholeFile(path), testing::WriteToText(FreshSets(1)));
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

void ExpectSaveFailure(const std::string& path) {
  platform::ScriptedHost host;
  EXPECT_FALSE(WriteParameterFile(path, FreshSets(1), kStartup, host));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text,
            "File \"" + path + "\" could not be opened for writing. View parameters have not been saved.");
  EXPECT_EQ(host.messages[0].icon, platform::MessageIcon::Error);
}

TEST(Saving, MissingFolderFailsWithTheMessage) {
  TempDir folder;
  ExpectSaveFailure(folder.File("no such folder/sets.tesprm"));
}

TEST(Saving, AFolderInPlaceOfTheFileIsLeftAlone) {
  TempDir folder;
  const std::string path = folder.File("sets.tesprm");
  std::filesystem::create_directory(path);
  WriteWholeFile(path + "/inside.txt", "keep me");
  ExpectSaveFailure(path);
  EXPECT_EQ(ReadWholeFile(path + "/inside.txt"), "keep me");
  EXPECT_EQ(EntriesIn(folder.path()), 1u);
}

TEST(Saving, AWriteFailureLeavesThePreviousFileIntact) {
  TempDir folder;
  const std::string path = folder.File("sets.tesprm");
  WriteWholeFile(path, "previous contents");
  // A file-size limit below the file's size makes the write fail the way a
  // full disk does.
  {
    tessarin::testing::FileSizeLimit limit(1000);
    ExpectSaveFailure(path);
  }
  EXPECT_EQ(ReadWholeFile(path), "previous contents");
  EXPECT_EQ(EntriesIn(folder.path()), 1u);
}

TEST(Saving, AWritableFileInAReadOnlyFolderIsStillSaved) {
  if (::geteuid() == 0) GTEST_SKIP() << "the super-user may write into any folder";
  TempDir folder;
  const std::string inner = folder.File("read-only");
  std::filesystem::create_directory(inner);
  const std::string path = inner + "/sets.tesprm";
  WriteWholeFile(path, "previous contents");
  ASSERT_EQ(::chmod(inner.c_str(), 0555), 0);
  platform::ScriptedHost host;
  const bool saved = WriteParameterFile(path, FreshSets(2, 1), kStartup, host);
  ::chmod(inner.c_str(), 0755);
  EXPECT_TRUE(saved);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(ReadParameterFile(path, true, host).list.sets.size(), 2u);
  EXPECT_EQ(EntriesIn(inner), 1u);
}

TEST(Saving, AFailingStreamIsReportedAsFailure) {
  std::ostringstream out;
  out.setstate(std::ios::badbit);
  platform::ScriptedHost host;
  EXPECT_FALSE(WriteParameterFile(out, FreshSets(1), kStartup, host));
}

}  // namespace
}  // namespace tessarin::settings
