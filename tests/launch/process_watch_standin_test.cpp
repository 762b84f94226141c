// The stand-in simulator, run as the console runs it: its command line and
// the three files it writes under the derived names.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <thread>

#include "launch/command_line.h"
#include "launch/file_names.h"
#include "platform/process_command_line.h"
#include "platform/process_posix.h"
#include "support/test_files.h"

namespace tessarin::launch {
namespace {

using tessarin::testing::ReadWholeFile;
using tessarin::testing::TempDir;
using tessarin::testing::WriteWholeFile;

constexpr const char* kStandIn = TESSARIN_BINARY_DIR "/bin/Varnholt";

// A lead layer under a beam along +z: six lines, four directives.
constexpr const char* kLayerInput =
    "// a layer\nMAT \"lead\"\nSurface 0 0 0  0 0 1\nTHICK &\n 0.5\nBEAM 0 0 -1  0 0 1\n";

// Runs the stand-in in `directory` and returns its exit status.
int RunStandIn(const std::string& commandLine, const std::string& directory) {
  std::vector<std::string> words = platform::SplitArguments(commandLine);
  platform::PosixProcesses processes;
  platform::StartedProcess run = processes.Start({kStandIn, {words.begin() + 1, words.end()}, directory});
  EXPECT_TRUE(run.started) << run.error;
  int status = 0;
  ::waitpid(run.processId, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct TrackFileCheck {
  int histories = 0, tracks = 0, escaped = 0, secondaries = 0;
};

// Walks the track data file by its grammar and checks every rule a reader
// relies on; the first broken rule fails the test.
TrackFileCheck CheckTrackFile(const std::string& text) {
  TrackFileCheck check;
  std::vector<std::string> lines = Lines(text);
  std::size_t i = 0;
  while (i < lines.size()) {
    const std::string& header = lines[i++];
    EXPECT_LT(header.size(), 100u);
    std::size_t colon = header.find(':');
    EXPECT_NE(colon, std::string::npos) << header;
    if (colon == std::string::npos) return check;
    EXPECT_EQ(std::stoi(header.substr(0, colon)), check.tracks + 1) << header;
    ++check.tracks;
    bool source = header.compare(colon + 2, 11, "History No.") == 0;
    if (source) {
      ++check.histories;
      EXPECT_EQ(std::stoi(header.substr(colon + 14)), check.histories);
      EXPECT_GT(std::stod(lines[i++]), 0.5);  // source particle number
    } else {
      ++check.secondaries;
      int generation = 0, type = 0;
      EXPECT_EQ(std::sscanf(header.c_str() + colon + 1, " %d/%d", &generation, &type), 2) << header;
      EXPECT_GE(generation, 1);
      EXPECT_TRUE(type >= 1 && type <= 11) << header;
    }
    int vertices = std::stoi(lines[i++]);
    EXPECT_GE(vertices, source ? 2 : 1);
    double previous = INFINITY;
    for (int v = 0; v < vertices; ++v) {
      double x, y, z, energy;
      EXPECT_EQ(std::sscanf(lines[i++].c_str(), "%lf %lf %lf %lf", &x, &y, &z, &energy), 4);
      EXPECT_LE(std::fabs(energy), previous);
      previous = std::fabs(energy);
      if (energy < 0) {
        EXPECT_EQ(v, vertices - 1) << "only the last vertex may escape";
        ++check.escaped;
      }
    }
  }
  return check;
}

TEST(StandInSimulator, WritesTheThreeFilesWhereTheCommandLineSaysTheyAre) {
  TempDir dir;
  std::filesystem::create_directories(dir.File("my runs"));
  WriteWholeFile(dir.File("my runs/a.txt"), kLayerInput);
  settings::VIEWPARM set = settings::DefaultParameterSet();
  set.VarnholtFolder = dir.path();
  set.InputFileFolder = dir.File("my runs/");
  set.InputFN = "a.txt";
  set.nThreads = 4;
  set.suffix = "_r%d";
  set.logSuffix = "_journal";
  set.systemVariables[1] = 2.5;
  LaunchContext context{dir.path(), 2};
  CommandLine line = BuildCommandLine(set, context);
  ASSERT_FALSE(line.text.empty());

  ASSERT_EQ(RunStandIn(line.text, dir.path()), 0);
  DerivedFileNames names = DeriveFileNames(set, context);
  std::string output = ReadWholeFile(names.output);
  EXPECT_NE(output.find("(6 lines, 4 directives)"), std::string::npos) << output;
  EXPECT_NE(output.find("1 cells, 2 surfaces"), std::string::npos) << output;
  EXPECT_NE(output.find("Tasks:                 4"), std::string::npos);
  EXPECT_NE(output.find("System variable @1:    2.5"), std::string::npos);
  EXPECT_NE(ReadWholeFile(names.log).find("Geometry: "), std::string::npos);
  EXPECT_EQ(names.trackData, dir.File("my runs/Files_a_r2.txt/a_r2_tracks.txt"));
  std::string trackData = ReadWholeFile(names.trackData);
  // The source particles start at the beam's origin.
  EXPECT_EQ(trackData.rfind("1: History No. 1\n1\n", 0), 0u);
  EXPECT_EQ(Lines(trackData).at(3), "0 0 -1 1e+06");
  TrackFileCheck tracks = CheckTrackFile(trackData);
  EXPECT_EQ(tracks.histories, 5);
  EXPECT_GT(tracks.secondaries, 0);
  EXPECT_GT(tracks.escaped, 0);
}

// It counts what the file defines, as `check` does ("10 cells in 2
// materials, 2 surfaces, 11 macrobodies"): not the facets and copies the
// reader makes of the macrobodies, nor void materials.
TEST(StandInSimulator, CountsTheGeometryAsCheckDoes) {
  TempDir dir;
  WriteWholeFile(dir.File("macrobodies.inp"), ReadWholeFile(TESSARIN_SOURCE_DIR "/examples/macrobodies.inp"));
  ASSERT_EQ(RunStandIn("Varnholt check 1 in macrobodies.inp", dir.path()), 0);
  std::string output = ReadWholeFile(dir.File("macrobodies_out.txt"));
  EXPECT_NE(output.find("10 cells, 2 surfaces, 11 macrobodies, 2 materials"), std::string::npos) << output;
}

TEST(StandInSimulator, DefaultNamesOtherStyleAndRepeatableRuns) {
  TempDir dir;
  WriteWholeFile(dir.File("b.txt"), kLayerInput);
  ASSERT_EQ(RunStandIn("Varnholt in= b.txt", dir.path()), 0);
  std::string first = ReadWholeFile(dir.File("Files_b_out.txt/b_out_tracks.txt"));
  EXPECT_FALSE(ReadWholeFile(dir.File("b_out.txt")).empty());
  EXPECT_FALSE(ReadWholeFile(dir.File("b_log.txt")).empty());
  ASSERT_EQ(RunStandIn("Varnholt writeLog 0 in=b.txt out=c.txt", dir.path()), 0);
  EXPECT_EQ(ReadWholeFile(dir.File("Files_c.txt/c_tracks.txt")), first);
}

TEST(StandInSimulator, CheckOnlyOrAFaultyInputWritesNoTracksAndBadCallsFail) {
  TempDir dir;
  WriteWholeFile(dir.File("d.txt"), kLayerInput);
  ASSERT_EQ(RunStandIn("Varnholt check -1 in d.txt", dir.path()), 0);
  EXPECT_TRUE(std::filesystem::exists(dir.File("d_log.txt")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("d_out.txt")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("Files_d_out.txt")));

  WriteWholeFile(dir.File("e.txt"), "S1 P 0 0 1 5\n");
  EXPECT_EQ(RunStandIn("Varnholt in e.txt", dir.path()), 1);
  EXPECT_NE(ReadWholeFile(dir.File("e_log.txt")).find("no particles were simulated"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("e_out.txt")));
  // Without the check the stand-in does not look at the geometry.
  EXPECT_EQ(RunStandIn("Varnholt check 0 in e.txt", dir.path()), 0);

  EXPECT_EQ(RunStandIn("Varnholt in missing.txt", dir.path()), 1);
  EXPECT_EQ(RunStandIn("Varnholt tasks", dir.path()), 2);
  EXPECT_EQ(RunStandIn("Varnholt tasks four in d.txt", dir.path()), 2);
  EXPECT_EQ(RunStandIn("Varnholt check 1", dir.path()), 2);
}

}  // namespace
}  // namespace tessarin::launch
