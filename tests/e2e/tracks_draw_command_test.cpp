// "tessarin-cli tracks draw": the per-type files of the set's selected
// tracks at the given base path, their names on standard output, and the
// failures: no --base, an unwritable place, a missing track data file.

#include <gtest/gtest.h>

#include <filesystem>

#include "cli_runner.h"
#include "support/test_files.h"

namespace tessarin::testing {
namespace {

// A source particle and a Compton electron; an Auger electron the demo's
// type mask leaves out.
const char* const kTracks =
    "1: History No. 1\n1\n2\n0 0 0 1e6\n0 0 1 0\n"
    "2: 1/7\n2\n0 0 1 1e5\n0 0.5 1 0\n"
    "3: 1/9\n2\n0 0 1 1e3\n0 0 1.01 0\n";

class TracksDrawCommandTest : public ::testing::Test {
 protected:
  TempDir folder;
  std::string params = folder.File("set.tesprm");

  void SetUp() override {
    std::string text = ReadWholeFile(TESSARIN_SOURCE_DIR "/examples/demo.tesprm");
    const std::string from = "useCustomTrackFN = 0\n";
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, from.size(), "useCustomTrackFN = 1\nTrackFN = tracks.txt\n");
    WriteWholeFile(params, text);
    WriteWholeFile(folder.File("tracks.txt"), kTracks);
  }
  CliRun Draw(const std::vector<std::string>& more) {
    std::vector<std::string> args{"tracks", "draw", params, "--set", "1"};
    args.insert(args.end(), more.begin(), more.end());
    return RunTessarinCli(args, folder.path());
  }
};

TEST_F(TracksDrawCommandTest, WritesTheFilesOfTheTypesWithSelectedTracks) {
  std::filesystem::create_directory(folder.File("out"));
  CliRun run = Draw({"--base", "out/scene"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string source = folder.File("out/scene_tracks0_source.rt");
  const std::string compton = folder.File("out/scene_tracks7_Compton_recoil.rt");
  EXPECT_EQ(run.out, source + "\n" + compton + "\n2 tracks selected\n");
  // The demo's view is 40 cm: centimetres, points in millimetres.
  EXPECT_EQ(ReadWholeFile(source),
            "vdraw open tracks0\nvdraw params color 808080\nforeach {pen x y z} {\n0 0 0 0\n1 0 0 10\n"
            "} {vdraw write next $pen $x $y $z}\nvdraw send\n");
  EXPECT_FALSE(std::filesystem::exists(folder.File("out/scene_tracks9_Auger_phot.rt")));
}

TEST_F(TracksDrawCommandTest, TheFastFormOverlaysPlotFilesAndAnUnknownFormIsAUsageError) {
  CliRun fast = Draw({"--base", "scene", "--form", "fast"});
  ASSERT_EQ(fast.exitCode, 0) << fast.err;
  const std::string plot = folder.File("scene_tracks0_source.plot3");
  EXPECT_EQ(ReadWholeFile(folder.File("scene_tracks0_source.rt")), "overlay -s 1 \"" + plot + "\" tracks0\n");
  EXPECT_EQ(ReadWholeFile(plot).size(), 4u + 2 * 25u);  // the colour, a move and a draw

  for (const std::vector<std::string>& wrong :
       {std::vector<std::string>{"--base", "scene", "--form", "quick"}, std::vector<std::string>{"--form", "fast"}}) {
    CliRun run = Draw(wrong);
    EXPECT_EQ(run.exitCode, 2) << run.err;
  }
}

TEST_F(TracksDrawCommandTest, FailuresAreReported) {
  CliRun noBase = Draw({});
  EXPECT_EQ(noBase.exitCode, 2);
  EXPECT_NE(noBase.err.find("draw needs --base PATH"), std::string::npos) << noBase.err;
  CliRun misplaced = RunTessarinCli({"tracks", "count", params, "--base", "x"}, folder.path());
  EXPECT_EQ(misplaced.exitCode, 2);

  CliRun unwritable = Draw({"--base", "no/such/folder/scene"});
  EXPECT_EQ(unwritable.exitCode, 1);
  EXPECT_NE(unwritable.err.find("could not be opened for writing: No such file or directory."), std::string::npos) << unwritable.err;

  std::filesystem::remove(folder.File("tracks.txt"));
  CliRun missing = Draw({"--base", "scene"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("could not be opened for reading. Particle tracks will not be shown."),
            std::string::npos)
      << missing.err;
  EXPECT_EQ(missing.out, "0 tracks selected\n");
}

}  // namespace
}  // namespace tessarin::testing
