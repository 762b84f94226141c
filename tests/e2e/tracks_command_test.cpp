// "tessarin-cli tracks": counting, statistics as text and JSON, export, and
// the exit status after a missing or malformed track data file.

#include <gtest/gtest.h>

#include <tuple>

#include "cli_runner.h"
#include "support/test_files.h"

namespace tessarin::testing {
namespace {

// Two histories: a stopped track from 1 MeV, and one from 3 MeV that
// escapes after its first vertex.
const char* const kTwoTracks =
    "1: History No. 1\n1\n2\n0 0 0 1e6\n0 0 1 0\n"
    "2: History No. 2\n2\n2\n0 0 0 3e6\n0 0 2 -1e6\n";

class TracksCommandTest : public ::testing::Test {
 protected:
  TempDir folder;
  std::string params = folder.File("set.tesprm");

  void SetUp() override {
    std::string text = ReadWholeFile(TESSARIN_SOURCE_DIR "/examples/demo.tesprm");
    auto replaceFirst = [&text](const std::string& from, const std::string& to) {
      const std::size_t at = text.find(from);
      ASSERT_NE(at, std::string::npos) << from;
      text.replace(at, from.size(), to);
    };
    replaceFirst("useCustomTrackFN = 0\n", "useCustomTrackFN = 1\nTrackFN = tracks.txt\n");
    replaceFirst("unitEnergy = 0\n", "unitEnergy = 1\n");
    WriteWholeFile(params, text);
  }
  CliRun Tracks(const std::string& action, const std::vector<std::string>& more = {}) {
    std::vector<std::string> args{"tracks", action, params, "--set", "1"};
    args.insert(args.end(), more.begin(), more.end());
    return RunTessarinCli(args, folder.path());
  }
};

TEST_F(TracksCommandTest, CountsAndSummarises) {
  WriteWholeFile(folder.File("tracks.txt"), kTwoTracks);
  CliRun count = Tracks("count");
  EXPECT_EQ(count.exitCode, 0) << count.err;
  EXPECT_EQ(count.out, "2\n");

  CliRun json = Tracks("stats", {"--json"});
  EXPECT_EQ(json.exitCode, 0) << json.err;
  EXPECT_NE(json.out.find("\"tracks\": 2,"), std::string::npos) << json.out;
  EXPECT_NE(json.out.find("\"escape tracks\": 1,"), std::string::npos);
  EXPECT_NE(json.out.find("\"truncated tracks\": 0,"), std::string::npos);
  EXPECT_NE(json.out.find("\"messages\": []"), std::string::npos);
  // 1 and 3 MeV: average 2 MeV, deviation of the average 1 MeV, spread of
  // the values sqrt(2) MeV, in keV.
  EXPECT_NE(json.out.find("\"Initial energy (keV)\": {\"count\": 2, \"min\": 1000, \"max\": 3000, \"mean\": 2000, "
                          "\"stddev\": 1000, \"sampleStddev\": 1414.2135623"),
            std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("\"History sequence number\": {\"count\": 2, \"min\": 1, \"max\": 2, \"mean\": null, "
                          "\"stddev\": null, \"sampleStddev\": null}"),
            std::string::npos);
  // Only the stopped track has more than one point.
  EXPECT_NE(json.out.find("\"Path length (cm)\": {\"count\": 1, \"min\": 1, \"max\": 1, \"mean\": 1, \"stddev\": 0, "
                          "\"sampleStddev\": 0}"),
            std::string::npos);
  EXPECT_NE(json.out.find("\"Stopping power (keV/cm)\": {\"count\": 0, \"min\": null"), std::string::npos);

  CliRun text = Tracks("stats");
  EXPECT_NE(text.out.find("Number of tracks: 2\n"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("Initial energy (keV)"), std::string::npos);
}

TEST_F(TracksCommandTest, MalformedFileStillShowsWhatWasRead) {
  WriteWholeFile(folder.File("tracks.txt"), std::string(kTwoTracks) + "3: 1/2\n1\n0 0\n");
  CliRun run = Tracks("stats", {"--json"});
  EXPECT_EQ(run.exitCode, 1);
  const std::string message = "Error: File \\\"" + folder.File("tracks.txt") +
                              "\\\" has incorrect format (error occurred while reading history No. 2, corresponding "
                              "to source particle No. 2).";
  EXPECT_NE(run.out.find("\"messages\": [\"" + message + "\\u000a  at tracks.txt:13\"]"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"tracks\": 2,"), std::string::npos);
  EXPECT_NE(run.err.find("has incorrect format"), std::string::npos);
}

// A reading that fails leaves the older export and drawing as they were.
TEST_F(TracksCommandTest, AFailedReadingLeavesTheOlderOutputs) {
  WriteWholeFile(folder.File("tracks.txt"), std::string(kTwoTracks) + "3: 1/2\n1\n0 0\n");
  for (const auto& [action, option, name] :
       {std::tuple{"export", "-o", "old.vtp"}, std::tuple{"draw", "--base", "old"}}) {
    SCOPED_TRACE(action);
    const std::string file = folder.File(std::string(action) == "draw" ? "old_tracks0_source.rt" : name);
    WriteWholeFile(file, "the older file\n");
    const CliRun run = Tracks(action, {option, folder.File(name)});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("has incorrect format"), std::string::npos) << run.err;
    EXPECT_EQ(ReadWholeFile(file), "the older file\n");
  }
}

TEST_F(TracksCommandTest, MissingFileFails) {
  CliRun run = Tracks("count");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "0\n");
  EXPECT_EQ(run.err, "Error: Track data file \"" + folder.File("tracks.txt") +
                         "\" could not be opened for reading. Particle tracks will not be shown.\n");
}

TEST_F(TracksCommandTest, ExportsPolyData) {
  WriteWholeFile(folder.File("tracks.txt"), kTwoTracks);
  CliRun run = Tracks("export", {"-o", folder.File("tracks.vtp")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::string vtp = ReadWholeFile(folder.File("tracks.vtp"));
  EXPECT_NE(vtp.find("<Piece NumberOfPoints=\"4\" NumberOfVerts=\"0\" NumberOfLines=\"2\""), std::string::npos) << vtp;
  EXPECT_NE(vtp.find("Name=\"offsets\" format=\"ascii\">\n2 4"), std::string::npos);
  EXPECT_NE(vtp.find("Name=\"energy\" format=\"ascii\">\n1e+06 0 3e+06 1e+06"), std::string::npos);
  EXPECT_EQ(Tracks("export").exitCode, 2);
}

}  // namespace
}  // namespace tessarin::testing
