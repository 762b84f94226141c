// The controller's track commands: Refresh, Default filtering, the filtering
// tab's edits with their units, and the refusal while a reading runs.

#include <gtest/gtest.h>

#include "support/test_files.h"
#include "ui/controller_fixture.h"

namespace tessarin::ui {
namespace {

using testing::ControllerFixture;

const char* const kThreeTracks =
    "1: History No. 1\n1\n2\n0 0 0 1e6\n0 0 1 0\n"
    "2: 1/9\n2\n0 0 1 1e3\n0 0 1.5 0\n"
    "3: History No. 2\n2\n2\n0 0 0 3e6\n0 0 2 -1e6\n";

struct TrackCommandsTest : ::testing::Test {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;

  void SetUp() override {
    tessarin::testing::WriteWholeFile(fixture.folder.File("tracks.txt"), kThreeTracks);
    settings::VIEWPARM& set = controller.EditWorkingCopy();
    set.useCustomTrackFN = 1;
    set.TrackFN = "tracks.txt";
  }
};

TEST_F(TrackCommandsTest, RefreshCountsWhatTheFilterSelects) {
  controller.RefreshNumberOfTracks();
  EXPECT_EQ(controller.NumberOfTracksText(), "2");  // the Auger electron (type 9) is left out
  EXPECT_TRUE(fixture.host.messages.empty());
  controller.SetTrackTypeIncluded(9, true);
  EXPECT_EQ(controller.NumberOfTracksText(), "");  // a change blanks the count
  EXPECT_TRUE(controller.IsModified());
  controller.RefreshNumberOfTracks();
  EXPECT_EQ(controller.NumberOfTracksText(), "3");
}

TEST_F(TrackCommandsTest, BoundsAreEnteredInTheDisplayUnits) {
  controller.EditWorkingCopy().unitEnergy = 2;  // MeV
  controller.CommitTransportBound(3, BoundColumn::Minimum, "2 ");
  EXPECT_EQ(controller.WorkingCopy().filter.trackEstartMin, 2e6);
  EXPECT_EQ(controller.TransportBoundText(3, BoundColumn::Minimum), "2");
  EXPECT_EQ(TransportBoundCaption(3, controller.Units()), "Initial energy (MeV)");
  controller.RefreshNumberOfTracks();
  EXPECT_EQ(controller.NumberOfTracksText(), "1");
  // Rejected entries leave the setting alone.
  controller.CommitTransportBound(3, BoundColumn::Minimum, "2x");
  controller.CommitTransportBound(6, BoundColumn::Maximum, "101");
  controller.CommitTransportBound(0, BoundColumn::Minimum, "0");
  EXPECT_EQ(controller.WorkingCopy().filter.trackEstartMin, 2e6);
  EXPECT_EQ(controller.WorkingCopy().filter.trackRelElossMax, 1);
  EXPECT_EQ(controller.TransportBoundText(6, BoundColumn::Maximum), "100");
  // History numbers are shown from 1; a blank maximum is no bound.
  controller.CommitTransportBound(0, BoundColumn::Maximum, "1");
  EXPECT_EQ(controller.WorkingCopy().filter.historyNumEnd, 0);
  controller.CommitTransportBound(0, BoundColumn::Maximum, "");
  EXPECT_EQ(controller.WorkingCopy().filter.historyNumEnd, -1);
  controller.CommitGeneration(BoundColumn::Minimum, "0");
  EXPECT_EQ(controller.GenerationText(BoundColumn::Minimum), "1");
}

TEST_F(TrackCommandsTest, DefaultFilteringOnlyChangesWhatDiffers) {
  controller.DefaultFiltering();
  EXPECT_FALSE(controller.IsModified());
  controller.EditWorkingCopy().segments.segmentPathMin = 1;
  controller.DefaultFiltering();
  EXPECT_TRUE(controller.IsModified());
  EXPECT_EQ(controller.WorkingCopy().segments, settings::SegmentFilter{});
}

// A runner that tries an edit in the middle of the reading, as a user
// clicking in the window would.
class EditingRunner : public TrackReadingRunner {
 public:
  explicit EditingRunner(Controller& controller) : controller_(controller) {}
  void Run(const std::function<void(tracks::ReadingProgress*)>& reading, std::atomic<bool>&) override {
    controller_.SetTrackTypeIncluded(11, true);
    reading(nullptr);
  }

 private:
  Controller& controller_;
};

TEST_F(TrackCommandsTest, FilteringIsRefusedWhileReading) {
  EditingRunner runner(controller);
  controller.SetTrackReadingRunner(runner);
  controller.RefreshNumberOfTracks();
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].text,
            "The track filtering parameters cannot be modified while the track data are being processed.");
  EXPECT_FALSE(controller.IsTrackTypeIncluded(11));
  EXPECT_FALSE(controller.IsReadingTracks());
}

TEST_F(TrackCommandsTest, MissingFileIsReported) {
  controller.EditWorkingCopy().TrackFN = "absent.txt";
  controller.RefreshNumberOfTracks();
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].icon, platform::MessageIcon::Error);
  EXPECT_EQ(controller.NumberOfTracksText(), "0");
}

}  // namespace
}  // namespace tessarin::ui

namespace tessarin::ui {
namespace {

TEST_F(TrackCommandsTest, StatisticsAskForABlankCustomFileName) {
  controller.EditWorkingCopy().TrackFN = "";
  fixture.host.chosenFiles.push_back(fixture.folder.File("tracks.txt"));
  tracks::TrackStatistics statistics;
  controller.ReadTracksForStatistics({}, {}, true, statistics);
  ASSERT_EQ(fixture.host.fileRequests.size(), 1u);
  EXPECT_EQ(fixture.host.fileRequests[0].title, "Select the track data file");
  EXPECT_EQ(statistics.tracks, 2);
  EXPECT_TRUE(controller.IsModified());
  // Still blank: the statistics are cleared, nothing is read.
  controller.EditWorkingCopy().TrackFN = "";
  controller.ReadTracksForStatistics({}, {}, true, statistics);
  EXPECT_EQ(statistics.tracks, 0);
  EXPECT_TRUE(fixture.host.messages.empty());
}

}  // namespace
}  // namespace tessarin::ui
