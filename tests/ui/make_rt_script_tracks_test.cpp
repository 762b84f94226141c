// "Make RT script" with tracks shown: the selected tracks are drawn through
// the window's track reading, the script loads their files, and the count
// appears in "Number of tracks:"; without track data the script has none.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_files.h"
#include "ui/controller_fixture.h"

namespace tessarin::ui {
namespace {

using tessarin::testing::ReadWholeFile;
using tessarin::testing::WriteWholeFile;
using testing::ControllerFixture;
using testing::StartWith;

TEST(MakeRtScriptWithTracks, DrawsTheSelectedTracksAndShowsTheirNumber) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  WriteWholeFile(fixture.folder.File("demo_lattice.inp"),
                 ReadWholeFile(std::string(TESSARIN_SOURCE_DIR) + "/examples/demo_lattice.inp"));
  // Two source particles and an Auger electron, which the demo's type mask leaves out.
  WriteWholeFile(fixture.folder.File("tracks.txt"),
                 "1: History No. 1\n1\n2\n0 0 0 1e6\n0 0 1 0\n"
                 "2: 1/9\n2\n0 0 1 1e3\n0 0 1.5 0\n"
                 "3: History No. 2\n2\n2\n0 0 0 3e6\n0 0 2 -1e6\n");
  settings::VIEWPARM& set = controller.EditWorkingCopy();
  set.showTracks = 1;
  set.useCustomTrackFN = 1;
  set.TrackFN = "tracks.txt";
  controller.SetOverwritePrompt(false);
  controller.MakeRtScript();

  EXPECT_EQ(controller.NumberOfTracksText(), "2");
  const std::string script = ReadWholeFile(controller.RtScriptPath());
  const std::size_t at = script.find("\nsource \"") + 1;
  ASSERT_NE(at, 0u) << script;
  const std::string line = script.substr(at, script.find('\n', at) - at);
  EXPECT_NE(line.find("_tracks0_source.rt\""), std::string::npos) << line;
  EXPECT_TRUE(std::filesystem::exists(line.substr(8, line.size() - 9))) << line;
  EXPECT_EQ(script.find("_tracks9_"), std::string::npos);
  EXPECT_EQ(script.find("\nsource \"", at), std::string::npos) << script;
  EXPECT_FALSE(controller.IsReadingTracks());

  // Before the simulator has run: a note, a script without tracks, and no
  // count left over from the file that was there.
  std::filesystem::remove(fixture.folder.File("tracks.txt"));
  fixture.host.messages.clear();
  controller.MakeRtScript();
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].text.rfind("Note: no track data yet: start Varnholt first.", 0), 0u);
  EXPECT_EQ(fixture.host.messages[0].icon, platform::MessageIcon::Information);
  EXPECT_EQ(ReadWholeFile(controller.RtScriptPath()).find("\nsource \""), std::string::npos);
  EXPECT_EQ(controller.NumberOfTracksText(), "");
  EXPECT_EQ(controller.LastTrackStatistics().tracks, 0);
}

}  // namespace
}  // namespace tessarin::ui
