// Reading track data files of both layouts: the grammar and its messages,
// ranges, Stop, and the copy in memory.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <vector>

#include "support/test_files.h"
#include "tracks/exact_expectations.h"
#include "tracks/track_reader.h"

namespace tessarin::tracks {
namespace {


struct SeenTrack {
  int history, track, generation, type, endFlag;
  std::vector<TrackVertex> vertices;
};

class CollectingSink : public SelectedTrackSink {
 public:
  std::vector<SeenTrack> tracks;
  int finished = 0;
  void Add(const TrackInput& t, const SelectedSegment&, int) override {
    tracks.push_back({t.history, t.track, t.generation, t.type, t.endFlag, {t.vertices.begin(), t.vertices.end()}});
  }
  void Finish() override { ++finished; }
};

// Three histories in the current layout: 2 + 1 + 2 tracks.
const char* const kCurrentFile =
    "1: History No. 1\n"
    "7\n"
    "3\n"
    "0 0 0 1000000\n"
    "0 0 1 600000\n"
    "0 0 2 0\n"
    "2: 1/1\n"
    "1\n"
    "0 0 1 50000\n"
    "3: History No. 2\n"
    "8.0\n"
    "2\n"
    "1 0 0 2000000\n"
    "1 0 5 -1500000\n"
    "4: History No. 3\n"
    "12\n"
    "2\n"
    "0 0 0 1000\n"
    "0 3 4 500\n"
    "5: 2/11\n"
    "2\n"
    "0 3 4 300\n"
    "0 3 5 100\n";

struct Reading {
  TrackReadingOutcome outcome;
  TrackStatistics statistics;
  CollectingSink sink;
};

Reading ReadText(const std::string& text, TrackReadingRequest request = {}, TRACKSETDATA* copy = nullptr) {
  Reading reading;
  TRACKSETDATA ownCopy;
  request.path = "tracks.txt";
  request.sink = &reading.sink;
  request.filter.originTypeMask = 4095;
  reading.outcome = ReadTrackText(text, request, copy != nullptr ? *copy : ownCopy, reading.statistics);
  return reading;
}

std::string Messages(const TrackReadingOutcome& outcome) {
  std::string all;
  for (const ReadingMessage& message : outcome.messages) all += message.text + "\n";
  return all;
}

TEST(TrackReading, CurrentLayoutTracksHistoriesAndEnds) {
  Reading r = ReadText(kCurrentFile);
  EXPECT_EQ(Messages(r.outcome), "");
  ASSERT_EQ(r.sink.tracks.size(), 5u);
  EXPECT_EQ(r.sink.finished, 1);
  EXPECT_EQ(r.statistics.tracks, 5);
  EXPECT_EQ(r.statistics.histories, 3);
  const SeenTrack& secondary = r.sink.tracks[1];
  EXPECT_EQ(secondary.generation, 1);
  EXPECT_EQ(secondary.type, 1);
  EXPECT_EQ(secondary.vertices.size(), 1u);  // a secondary track may have one vertex
  // An escape track ends at its escape point with a positive energy.
  const SeenTrack& escaped = r.sink.tracks[2];
  EXPECT_EQ(escaped.endFlag, kTrackEscaped);
  EXPECT_EQ(escaped.vertices.back().energy, 1500000);
  EXPECT_EQ(r.statistics.escapeTracks, 1);
  // Ended with energy left: the secondary (50 keV), history 3's source (500 eV), the last (100 eV).
  EXPECT_EQ(r.sink.tracks[3].endFlag, kTrackEnergyLeft);
  EXPECT_EQ(r.statistics.truncatedTracks, 3);
  EXPECT_EQ(r.sink.tracks[4].type, 11);
}

TEST(TrackReading, OlderLayoutEscapeTrackIsExtendedAlongItsDirection) {
  TrackReadingRequest request;
  request.escapeExtension = 2 * 50 * 15;  // 2 x maximumObjectSizeRatio x viewSize
  Reading r = ReadText(
      "Track No. 1\n3\n-3\n0 0 0 1e6\n1 0 0 5e5\n0 3 4 5e5\n"
      "track no. 2\n4\n2\n0 0 0 1e6\n0 0 1 0\n",
      request);
  EXPECT_EQ(Messages(r.outcome), "");
  ASSERT_EQ(r.sink.tracks.size(), 2u);
  const SeenTrack& escaped = r.sink.tracks[0];
  EXPECT_EQ(escaped.endFlag, kTrackEnergyLeft);
  EXPECT_DOUBLE_EQ(escaped.vertices[2].x, 1);
  EXPECT_DOUBLE_EQ(escaped.vertices[2].y, 1500 * 0.6);
  EXPECT_DOUBLE_EQ(escaped.vertices[2].z, 1500 * 0.8);
  EXPECT_EQ(r.sink.tracks[1].endFlag, kTrackStopped);
  EXPECT_EQ(r.statistics.histories, 2);
}

TEST(TrackReading, TheFirstLineDecidesTheLayout) {
  // An older-layout header in a current-layout file is not a header.
  Reading current = ReadText("1: History No. 1\n1\n2\n0 0 0 1\n0 0 1 0\nTrack No. 2\n2\n2\n0 0 0 1\n0 0 1 0\n");
  EXPECT_EQ(Messages(current.outcome),
            "Error: File \"tracks.txt\" has incorrect format (error occurred while reading history No. 1, "
            "corresponding to source particle No. 1).\n  at tracks.txt:6\n");
  EXPECT_EQ(current.statistics.tracks, 1);
  Reading older = ReadText("Track No. 1\n5\n2\n0 0 0 1\n0 0 1 0\n2: History No. 2\n6\n2\n0 0 0 1\n0 0 1 0\n");
  EXPECT_EQ(older.statistics.tracks, 1);
  EXPECT_TRUE(older.outcome.formatError);
  Reading neither = ReadText("History No. 1\n5\n2\n0 0 0 1\n0 0 1 0\n");
  EXPECT_EQ(Messages(neither.outcome),
            "Error: File \"tracks.txt\" has incorrect format (error occurred while reading history No. 0, "
            "corresponding to source particle No. 0).\n  at tracks.txt:1\n");
}

TEST(TrackReading, FormatErrorsNameTheHistoryAndSourceParticle) {
  const std::string head = "1: History No. 1\n41.6\n2\n0 0 0 1\n0 0 1 0\n";
  struct Case {
    const char* rest;
    int tracksKept;
  };
  const Case cases[] = {
      {"3: 1/2\n1\n0 0 0 1\n", 1},               // running number must be 2
      {"2: 1/0\n1\n0 0 0 1\n", 1},               // type 0 is the source's
      {"2: 1/12\n1\n0 0 0 1\n", 1},              // no type 12
      {"2: 1/2\n1\n0 0 1\n", 1},                 // three numbers
      {"2: 1/2\n2\n0 0 0 1\n", 1},               // the file ends inside the track
      {"2: 1/2\n0\n", 1},                        // no vertices
      {"2: 1/2\n1\n0 0 0 1\n3: History No. 2\n42\n1\n0 0 0 1\n", 2},  // a source track of one vertex
      {"2: 1/2\n1\n0 0 0 1\n3: History No. 0\n42\n", 2},  // history numbers start at 1
      {"2: 1/2\n1\n0 0 0 1\n3: History No. 2\n0.5\n", 2},  // source numbers exceed 0.5
      {"2: 1/2\n1\n0 0 0 1\n3: History No. 2\n42 x\n", 2},
  };
  for (const Case& c : cases) {
    Reading r = ReadText(head + c.rest);
    EXPECT_TRUE(r.outcome.formatError) << c.rest;
    EXPECT_EQ(r.statistics.tracks, c.tracksKept) << c.rest;
  }
  Reading r = ReadText(head + "2: 1/2\n1\n0 0 0 1\n3: History No. 2\n43\n2\n0 0 0 1\nbad\n");
  EXPECT_EQ(Messages(r.outcome),
            "Error: File \"tracks.txt\" has incorrect format (error occurred while reading history No. 2, "
            "corresponding to source particle No. 43).\n  at tracks.txt:13\n");
}

TEST(TrackReading, HistoryRangeWithoutCopyStopsAtTheNextHeader) {
  std::string text;
  for (int h = 1; h <= 6; ++h)
    text += std::to_string(h) + ": History No. " + std::to_string(h) + "\n" + std::to_string(h) +
            "\n2\n0 0 0 1\n0 0 1 0\n";
  text += "garbage after the sixth history\n";
  TrackReadingRequest request;
  request.filter.historyNumStart = 2;
  request.filter.historyNumEnd = 4;
  request.keepTrackDataInMemory = false;
  Reading withoutCopy = ReadText(text, request);
  EXPECT_FALSE(withoutCopy.outcome.formatError);
  EXPECT_EQ(withoutCopy.statistics.tracks, 3);
  EXPECT_EQ(withoutCopy.statistics.rows[kHistoryRow].minimum, 2);
  EXPECT_EQ(withoutCopy.statistics.rows[kHistoryRow].maximum, 4);
  // The copy wants the whole file, so it meets the garbage.
  request.keepTrackDataInMemory = true;
  TRACKSETDATA copy;
  Reading withCopy = ReadText(text, request, &copy);
  EXPECT_TRUE(withCopy.outcome.formatError);
  EXPECT_EQ(withCopy.statistics.tracks, 3);
  EXPECT_EQ(copy.histories, 6);
  EXPECT_EQ(copy.tracks, 6);
}

TEST(TrackReading, StopInsideATrackKeepsThePartRead) {
  std::atomic<bool> stop{true};
  TrackReadingRequest request;
  request.stop = &stop;
  TRACKSETDATA copy;
  Reading r = ReadText(kCurrentFile, request, &copy);
  ASSERT_EQ(r.sink.tracks.size(), 1u);
  EXPECT_EQ(r.sink.tracks[0].vertices.size(), 1u);
  EXPECT_EQ(r.sink.tracks[0].endFlag, kTrackEnergyLeft);
  EXPECT_TRUE(r.outcome.interrupted);
  EXPECT_EQ(Messages(r.outcome),
            "The process of reading the track data from file \"tracks.txt\" has been interrupted. The track "
            "statistics that will be shown will correspond to the incomplete dataset.\n");
  EXPECT_EQ(r.outcome.messages[0].caption, "Reading of the track dataset has been interrupted");
  EXPECT_EQ(copy.fileSize, -1);
  EXPECT_EQ(copy.tracks, 1);
}

// The copy in memory: used while the file is unchanged, read again after a
// change or an interrupted reading, and equal to the file in every range.
class TrackCopyTest : public ::testing::Test {
 protected:
  testing::TempDir folder;
  std::string path = folder.File("tracks.txt");
  TRACKSETDATA copy;

  TrackReadingOutcome Read(TrackStatistics& statistics, bool keep, const settings::TrackFilter& filter = {}) {
    TrackReadingRequest request;
    request.path = path;
    request.keepTrackDataInMemory = keep;
    request.filter = filter;
    return ReadTracks(request, copy, statistics);
  }
};

TEST_F(TrackCopyTest, AnUnchangedFileIsReadFromMemory) {
  testing::WriteWholeFile(path, kCurrentFile);
  TrackStatistics first, second;
  EXPECT_FALSE(Read(first, true).fromMemory);
  EXPECT_EQ(copy.tracks, 5);
  EXPECT_EQ(copy.histories, 3);
  EXPECT_EQ(copy.firstTrack, (std::vector<std::int32_t>{0, 2, 3, 5}));
  EXPECT_TRUE(Read(second, true).fromMemory);
  EXPECT_EQ(second.tracks, first.tracks);
  EXPECT_EQ(second.rows[kPathRow].sum, first.rows[kPathRow].sum);
}

TEST_F(TrackCopyTest, AChangedFileIsReadAgain) {
  testing::WriteWholeFile(path, kCurrentFile);
  TrackStatistics statistics;
  ASSERT_FALSE(Read(statistics, true).formatError);
  testing::WriteWholeFile(path, std::string(kCurrentFile) + "6: History No. 4\n13\n2\n0 0 0 1\n0 0 1 0\n");
  EXPECT_FALSE(Read(statistics, true).fromMemory);
  EXPECT_EQ(copy.tracks, 6);
}

TEST_F(TrackCopyTest, RangesFromMemoryMatchRangesFromTheFile) {
  testing::WriteWholeFile(path, kCurrentFile);
  TrackStatistics statistics;
  ASSERT_FALSE(Read(statistics, true).formatError);
  struct Range {
    int historyStart, historyEnd, trackStart, trackEnd;
  };
  for (Range range : {Range{0, -1, 0, -1}, Range{1, 1, 0, -1}, Range{0, -1, 1, 3}, Range{2, 5, 0, 2},
                      Range{1, -1, 4, -1}, Range{3, -1, 0, -1}, Range{0, 0, 2, -1}}) {
    settings::TrackFilter filter;
    filter.originTypeMask = 4095;
    filter.historyNumStart = range.historyStart;
    filter.historyNumEnd = range.historyEnd;
    filter.trackNumStart = range.trackStart;
    filter.trackNumEnd = range.trackEnd;
    TrackStatistics fromMemory, fromFile;
    EXPECT_TRUE(Read(fromMemory, true, filter).fromMemory);
    TRACKSETDATA kept = std::move(copy);
    copy = {};
    EXPECT_FALSE(Read(fromFile, false, filter).fromMemory);
    copy = std::move(kept);
    EXPECT_EQ(fromMemory.tracks, fromFile.tracks) << range.historyStart << " " << range.trackStart;
    EXPECT_EQ(fromMemory.histories, fromFile.histories);
    EXPECT_EQ(fromMemory.rows[kTrackRow].sum, fromFile.rows[kTrackRow].sum);
  }
}

// Histories of a source track and a secondary one (in the older layout,
// which has no secondary tracks, two histories), varied in length and
// energy; in the older layout every third track escapes.
std::string ManyTracks(bool olderLayout) {
  std::string text;
  int track = 0;
  for (int h = 1; h <= 3000; ++h) {
    for (int t = 0; t < 2; ++t) {
      ++track;
      if (olderLayout) {
        text += "Track No. " + std::to_string(track) + "\n" + std::to_string(track) + "\n";
      } else {
        text += t == 0 ? std::to_string(track) + ": History No. " + std::to_string(h) + "\n" + std::to_string(h) + "\n"
                       : std::to_string(track) + ": 1/" + std::to_string(1 + h % 3) + "\n";
      }
      const int vertices = 2 + (h * 7 + t) % 9;
      const bool escapes = olderLayout && track % 3 == 0;
      text += std::to_string(escapes ? -vertices : vertices) + "\n";
      for (int v = 0; v < vertices; ++v) {
        const double energy = 1e6 / (1 + v + h % 5);
        text += std::to_string(0.1 * v) + " " + std::to_string(0.01 * (h % 17)) + " " +
                std::to_string(0.2 * v * v) + " " + std::to_string(energy) + "\n";
      }
    }
  }
  return text;
}

TEST_F(TrackCopyTest, ManyTracksFromMemoryAddUpExactlyAsFromTheFile) {
  for (bool olderLayout : {false, true}) {
    testing::WriteWholeFile(path, ManyTracks(olderLayout));
    settings::SegmentFilter segments;
    segments.segmentPathMin = 0.15;
    segments.segmentEmax = 5e5;
    for (bool withSegments : {false, true}) {
      copy = {};
      TrackReadingRequest request;
      request.path = path;
      request.keepTrackDataInMemory = true;
      request.filter.originTypeMask = 4095;
      request.escapeExtension = 1500;
      request.segments = withSegments ? &segments : nullptr;
      CollectingSink fileSink, memorySink;
      TrackStatistics fromFile, fromMemory;
      request.sink = &fileSink;
      ASSERT_FALSE(ReadTracks(request, copy, fromFile).fromMemory);
      request.sink = &memorySink;
      ASSERT_TRUE(ReadTracks(request, copy, fromMemory).fromMemory);
      ASSERT_GT(fromFile.tracks, 3000);
      ExpectSameStatistics(fromMemory, fromFile);
      ASSERT_EQ(memorySink.tracks.size(), fileSink.tracks.size());
      for (std::size_t i = 0; i < fileSink.tracks.size(); ++i) {
        ASSERT_EQ(memorySink.tracks[i].track, fileSink.tracks[i].track);
        ASSERT_EQ(memorySink.tracks[i].history, fileSink.tracks[i].history);
        ASSERT_EQ(memorySink.tracks[i].vertices.back().x, fileSink.tracks[i].vertices.back().x);
      }
    }
  }
}

// Without a sink the copy is read in blocks of tracks on every core; ranges
// begin and end inside blocks.
TEST_F(TrackCopyTest, BlocksReadFromMemoryOnEveryCoreAddUpExactlyAsTheFile) {
  testing::WriteWholeFile(path, ManyTracks(false));
  struct Range {
    int historyStart, historyEnd, trackStart, trackEnd;
  };
  for (Range range : {Range{-1, -1, -1, -1}, Range{17, -1, -1, 5000}, Range{-1, 2900, 4000, -1},
                      Range{2040, 2060, -1, -1}}) {
    TrackReadingRequest request;
    request.path = path;
    request.filter.originTypeMask = 4095;
    request.filter.historyNumStart = range.historyStart;
    request.filter.historyNumEnd = range.historyEnd;
    request.filter.trackNumStart = range.trackStart;
    request.filter.trackNumEnd = range.trackEnd;
    TrackStatistics fromFile, fromMemory;
    TRACKSETDATA none;
    request.keepTrackDataInMemory = false;
    EXPECT_FALSE(ReadTracks(request, none, fromFile).fromMemory);
    request.keepTrackDataInMemory = true;
    ASSERT_FALSE(ReadTracks(request, copy, fromMemory).formatError);  // makes the copy the first time
    ASSERT_TRUE(ReadTracks(request, copy, fromMemory).fromMemory);
    ASSERT_GT(fromFile.tracks, 30) << range.historyStart;
    SCOPED_TRACE(range.historyStart);
    ExpectSameStatistics(fromMemory, fromFile);
  }
}

TEST_F(TrackCopyTest, StopEndsAReadingFromMemoryInBlocks) {
  testing::WriteWholeFile(path, ManyTracks(false));
  TrackStatistics statistics;
  ASSERT_FALSE(Read(statistics, true).formatError);
  std::atomic<bool> stop{true};
  TrackReadingRequest request;
  request.path = path;
  request.stop = &stop;
  const TrackReadingOutcome outcome = ReadTracks(request, copy, statistics);
  EXPECT_TRUE(outcome.fromMemory);
  EXPECT_TRUE(outcome.interrupted);
  EXPECT_LE(statistics.tracks, 1);
}

TEST_F(TrackCopyTest, AMissingFileIsReported) {
  TrackStatistics statistics;
  TrackReadingOutcome outcome = Read(statistics, true);
  EXPECT_TRUE(outcome.missingFile);
  ASSERT_EQ(outcome.messages.size(), 1u);
  EXPECT_EQ(outcome.messages[0].text, "Error: Track data file \"" + path +
                                          "\" could not be opened for reading. Particle tracks will not be shown.");
}

}  // namespace
}  // namespace tessarin::tracks
