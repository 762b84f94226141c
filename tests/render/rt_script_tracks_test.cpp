// RT scripts that show tracks: the track files are written beside the
// database, the script loads each of them in type order, the count of
// selected tracks comes back, and the whole runs in the Tcl stand-ins and,
// where BRL-CAD is unpacked, in MGED itself.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "render/script_check/mged_runner.h"
#include "render/script_check/tcl_stub.h"
#include "render/script_fixture.h"
#include "support/test_files.h"

namespace tessarin::render {
namespace {

using testing::LinesStartingWith;
using testing::ScriptFixture;
using tessarin::testing::WriteWholeFile;

constexpr const char* kGeometry = "M1 \"water\"\nS1 S 0 0 0 5\nC1 1 1 -1\n";

// One history: the source particle escapes, a Compton electron stops, an
// Auger electron is of a type the default type mask leaves out, and a
// bremsstrahlung photon escapes after one piece.
constexpr const char* kTrackData =
    "1: History No. 1\n"
    "1\n"
    "3\n"
    "0 0 -4 1000000\n"
    "0 0.5 1 900000\n"
    "0 1 6 -800000\n"
    "2: 1/7\n"
    "2\n"
    "0 0.5 1 100000\n"
    "1 0.5 1.5 0\n"
    "3: 1/9\n"
    "2\n"
    "0 0.5 1 1000\n"
    "0 0.5 1.01 0\n"
    "4: 1/1\n"
    "2\n"
    "0 0.5 1 50000\n"
    "3 0.5 1 -50000\n";

// The paths of the script's "source" lines.
std::vector<std::string> SourcedFiles(const std::string& script) {
  std::vector<std::string> files;
  std::istringstream lines(LinesStartingWith(script, "source \""));
  std::string line;
  while (std::getline(lines, line)) files.push_back(line.substr(8, line.size() - 9));
  return files;
}

struct TracksShown : ScriptFixture {
  TracksShown() {
    set.showTracks = 1;
    set.useCustomTrackFN = 1;
    set.TrackFN = folder.File("run_tracks.txt");
    WriteWholeFile(set.TrackFN, kTrackData);
    EXPECT_TRUE(Read(kGeometry)) << console;
  }
  std::string Base() const { return folder.File("geometry"); }
};

TEST(RtScriptWithTracks, LoadsOneFileOfEachTypeWithTracksInTypeOrder) {
  TracksShown fixture;
  const RtScriptResult result = fixture.Write();
  ASSERT_EQ(result.outcome, RtScriptOutcome::Written);
  ASSERT_TRUE(result.selectedTracks.has_value());
  EXPECT_EQ(*result.selectedTracks, 3);
  const std::vector<std::string> expected{fixture.Base() + "_tracks0_source.rt", fixture.Base() + "_tracks1_brems.rt",
                                          fixture.Base() + "_tracks7_Compton_recoil.rt"};
  EXPECT_EQ(SourcedFiles(fixture.script), expected);
  for (const std::string& file : expected) EXPECT_TRUE(std::filesystem::exists(file)) << file;
  EXPECT_FALSE(std::filesystem::exists(fixture.Base() + "_tracks9_Auger_phot.rt"));
  EXPECT_EQ(result.trackFiles[7], expected[2]);
  // The source lines end the script, after the view and the beam axis.
  const std::string last = "source \"" + expected[2] + "\"\n";
  EXPECT_EQ(fixture.script.substr(fixture.script.size() - last.size()), last);
  EXPECT_TRUE(fixture.host.messages.empty());
  EXPECT_EQ(result.scriptBytes, fixture.script.size());

  if (!script_check::IsTclAvailable()) GTEST_SKIP() << "tclsh is not installed";
  const script_check::StubRun run = script_check::RunThroughTclStub(fixture.scriptPath);
  EXPECT_TRUE(run.passed) << run.transcript;
  // The escaping source particle: its three points and the point beyond the world.
  EXPECT_NE(run.transcript.find("tracks0 4 tracks1 3 tracks7 2"), std::string::npos) << run.transcript;
}

TEST(RtScriptWithTracks, UsesTheCallersReadingAndItsCount) {
  TracksShown fixture;
  const std::vector<tracks::TrackVertex> vertices{{0, 0, 0, 10}, {0, 0, 1, 0}};
  RtScriptRequest request{fixture.model, fixture.set, {fixture.folder.path(), 1}, fixture.scriptPath, "geometry",
                          false, fixture.host, nullptr};
  int readings = 0;
  request.readTracks = [&](tracks::SelectedTrackSink& sink) {
    ++readings;
    tracks::TrackInput track;
    track.type = 11;
    track.vertices = vertices;
    sink.Add(track, {0, 1, false, false, {}, {}}, tracks::kCurrentTrackLayout);
    sink.Finish();
    return 42LL;
  };
  const RtScriptResult result = WriteRtScript(request);
  EXPECT_EQ(readings, 1);
  EXPECT_EQ(result.selectedTracks, 42);
  EXPECT_EQ(SourcedFiles(tessarin::testing::ReadWholeFile(fixture.scriptPath)),
            std::vector<std::string>{fixture.Base() + "_tracks11_knock-on.rt"});
}

TEST(RtScriptWithTracks, WithoutTrackDataYetTheScriptIsMadeWithANote) {
  TracksShown fixture;
  std::filesystem::remove(fixture.set.TrackFN);
  RtScriptResult result = fixture.Write();
  EXPECT_EQ(result.outcome, RtScriptOutcome::Written);
  EXPECT_TRUE(result.trackDataMissing);
  EXPECT_FALSE(result.selectedTracks.has_value());
  EXPECT_TRUE(SourcedFiles(fixture.script).empty());
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].text, "Note: no track data yet: start Varnholt first. The track data file \"" +
                                               fixture.set.TrackFN +
                                               "\" does not exist, so the RT script draws no particle tracks.");
  EXPECT_EQ(fixture.host.messages[0].icon, platform::MessageIcon::Information);

  // A track data file that is there but cannot be read is an error.
  fixture.host.messages.clear();
  std::filesystem::create_directory(fixture.set.TrackFN);
  result = fixture.Write();
  EXPECT_EQ(result.outcome, RtScriptOutcome::Written);
  EXPECT_FALSE(result.trackDataMissing);
  EXPECT_EQ(result.selectedTracks, 0);
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].text, "Error: Track data file \"" + fixture.set.TrackFN +
                                               "\" could not be opened for reading. Particle tracks will not be shown.");
  EXPECT_EQ(fixture.host.messages[0].icon, platform::MessageIcon::Error);

  // A set that names no track data file draws nothing without a word.
  fixture.host.messages.clear();
  fixture.set.TrackFN.clear();
  result = fixture.Write();
  EXPECT_TRUE(fixture.host.messages.empty());
  EXPECT_TRUE(SourcedFiles(fixture.script).empty());

  // Tracks not shown: no reading, no count.
  fixture.set.showTracks = 0;
  result = fixture.Write();
  EXPECT_FALSE(result.selectedTracks.has_value());
}

TEST(RtScriptWithTracks, MgedDrawsTheTrackCurves) {
  if (!script_check::BrlcadBinFolder()) GTEST_SKIP() << script_check::kNoBrlcad;
  TracksShown fixture;
  ASSERT_EQ(fixture.Write().outcome, RtScriptOutcome::Written);
  // The script, then a question to MGED about the curves it now holds.
  const std::string check = fixture.folder.File("check.rt");
  WriteWholeFile(check, fixture.script + "puts \"CURVES: [vdraw vlist list]\"\n");
  const script_check::MgedRun run = script_check::RunThroughMged(check);
  EXPECT_TRUE(run.passed) << run.transcript;
  const std::size_t at = run.transcript.find("CURVES:");
  ASSERT_NE(at, std::string::npos) << run.transcript;
  const std::string curves = run.transcript.substr(at, run.transcript.find('\n', at) - at);
  for (const char* name : {"tracks0", "tracks1", "tracks7"}) EXPECT_NE(curves.find(name), std::string::npos) << curves;
  EXPECT_EQ(curves.find("tracks9"), std::string::npos) << curves;
}

}  // namespace
}  // namespace tessarin::render
