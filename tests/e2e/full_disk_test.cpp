// Every output file is written whole or not at all: on a full disk (a small
// tmpfs of our own) and past a file-size limit, each command that writes
// one fails with the system's reason and exit status 1, and leaves the file
// that was there before as it was, with no temporary file beside it.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "cli_runner.h"
#include "support/small_filesystem.h"
#include "support/test_files.h"

namespace tessarin::testing {
namespace {

// Four hundred source tracks of twenty points each: drawings and exports
// of some hundred kilobytes.
std::string ManyTracks() {
  std::string text;
  for (int history = 1; history <= 400; ++history) {
    text += std::to_string(history) + ": History No. " + std::to_string(history) + "\n1\n20\n";
    for (int point = 0; point < 20; ++point)
      text += "0.125 " + std::to_string(history % 7) + " " + std::to_string(point) + " " +
              std::to_string(20 - point) + "e5\n";
  }
  return text;
}

void ReplaceFirst(std::string& text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

struct Output {
  const char* command;
  std::vector<std::string> args;  // after the parameter file and "--set 1"
  std::string file;               // in the folder "disk"
};

const std::vector<Output>& Outputs() {
  static const std::vector<Output> outputs{
      {"rt", {"--yes"}, "demo_lattice.rt"},
      {"tracks draw", {"--base", "disk/scene"}, "scene_tracks0_source.rt"},
      {"tracks export", {"-o", "disk/tracks.vtp"}, "tracks.vtp"},
      {"plot", {"--pixels", "300x300", "-o", "disk/slice.png"}, "slice.png"},
  };
  return outputs;
}

class FullDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string params = ReadWholeFile(TESSARIN_SOURCE_DIR "/examples/demo.tesprm");
    // The script folder without its closing slash is still a folder.
    ReplaceFirst(params, "ScriptFolder = \n", "ScriptFolder = disk\n");
    ReplaceFirst(params, "showTracks = 1\n", "showTracks = 0\n");
    ReplaceFirst(params, "useCustomTrackFN = 0\n", "useCustomTrackFN = 1\nTrackFN = tracks.txt\n");
    WriteWholeFile(folder.File("set.tesprm"), params);
    WriteWholeFile(folder.File("demo_lattice.inp"), ReadWholeFile(TESSARIN_SOURCE_DIR "/examples/demo_lattice.inp"));
    WriteWholeFile(folder.File("tracks.txt"), ManyTracks());
  }

  std::vector<std::string> Args(const Output& output) const {
    std::vector<std::string> args;
    const std::string command = output.command;
    const std::size_t blank = command.find(' ');
    args.push_back(command.substr(0, blank));
    if (blank != std::string::npos) args.push_back(command.substr(blank + 1));
    args.insert(args.end(), {folder.File("set.tesprm"), "--set", "1"});
    args.insert(args.end(), output.args.begin(), output.args.end());
    return args;
  }

  // Each output over an older file in `disk`, written by `run`.
  void ExpectOlderFilesKept(const std::string& disk, const std::string& reason,
                            const std::function<CliRun(const std::vector<std::string>&)>& run) {
    for (const Output& output : Outputs()) {
      SCOPED_TRACE(output.command);
      WriteWholeFile(disk + output.file, "the older file\n");
      const CliRun result = run(Args(output));
      EXPECT_EQ(result.exitCode, 1) << result.err;
      EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;
      EXPECT_EQ(ReadWholeFile(disk + output.file), "the older file\n");
    }
    for (const auto& entry : std::filesystem::directory_iterator(disk))
      EXPECT_EQ(entry.path().string().find(".saving-"), std::string::npos) << entry.path();
  }

  TempDir folder;
};

TEST_F(FullDiskTest, OnAFullDiskTheOlderFilesStay) {
  SmallFilesystem disk(64 * 1024);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Failure();
  std::filesystem::create_directory_symlink(disk.path(), folder.File("disk"));
  for (const Output& output : Outputs()) WriteWholeFile(disk.File(output.file), "the older file\n");
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

// With room enough, the same commands replace the older files.
TEST_F(FullDiskTest, WithRoomTheFilesAreReplaced) {
  std::filesystem::create_directory(folder.File("disk"));
  for (const Output& output : Outputs()) {
    SCOPED_TRACE(output.command);
    WriteWholeFile(folder.File("disk/" + output.file), "the older file\n");
    const CliRun result = RunTessarinCli(Args(output), folder.path());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_GT(std::filesystem::file_size(folder.File("disk/" + output.file)), 1024u);
  }
}

}  // namespace
}  // namespace tessarin::testing
