// The track drawing files: which points of a track are written, the vertex
// allowances, the escape extension, the colours and the closing messages.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "render/messages.h"
#include "render/track_drawing.h"
#include "render/track_points.h"
#include "tracks/trackset_data.h"
#include "support/file_size_limit.h"
#include "support/test_files.h"

namespace tessarin::render {
namespace {

using tracks::TrackVertex;
using tessarin::testing::ReadWholeFile;
using Point = std::array<double, 3>;

// Vertex k of a made-up track lies at (k, 0, 0), so a written point names
// the vertex it came from.
std::vector<TrackVertex> StraightTrack(int vertices) {
  std::vector<TrackVertex> track;
  for (int k = 0; k < vertices; ++k) track.push_back({static_cast<double>(k), 0, 0, 1000.0 - k});
  return track;
}

tracks::TrackInput Input(const std::vector<TrackVertex>& vertices, int type = 0,
                         int endFlag = tracks::kTrackStopped) {
  tracks::TrackInput input;
  input.type = type;
  input.typeMask = 1 << type;
  input.endFlag = endFlag;
  input.vertices = vertices;
  return input;
}

tracks::SelectedSegment Whole(int vertices) { return {0, vertices - 1, false, false, {}, {}}; }

struct DrawnFile {
  std::vector<std::string> header;  // the lines before the first point
  std::vector<Point> points;
  std::vector<int> pen;             // 0 starts a new line, 1 continues it
  std::vector<std::string> curves;  // the names of the curves opened
  std::vector<std::size_t> curveSizes;  // the points of each curve when it was sent
  bool sent = false;                // every curve opened was sent
};

// A drawing's file: each curve opened, coloured, filled from one data block
// of "pen x y z" rows, and sent.
DrawnFile ReadDrawnFile(const std::string& path) {
  DrawnFile drawn;
  std::istringstream lines(ReadWholeFile(path));
  std::string line;
  bool inBlock = false;
  std::size_t curveStart = 0;
  while (std::getline(lines, line)) {
    if (line + "\n" == messages::kVdrawPointsStart) {
      inBlock = true;
    } else if (line + "\n" == messages::kVdrawPointsEnd) {
      inBlock = false;
    } else if (inBlock) {
      std::istringstream words(line);
      int pen = 0;
      Point point{};
      words >> pen >> point[0] >> point[1] >> point[2];
      drawn.pen.push_back(pen);
      drawn.points.push_back(point);
    } else if (line == "vdraw send") {
      drawn.curveSizes.push_back(drawn.points.size() - curveStart);
      curveStart = drawn.points.size();
    } else {
      if (line.rfind("vdraw open ", 0) == 0) drawn.curves.push_back(line.substr(11));
      if (drawn.points.empty()) drawn.header.push_back(line);
    }
  }
  drawn.sent = !drawn.curves.empty() && drawn.curveSizes.size() == drawn.curves.size() && !inBlock;
  return drawn;
}

// The vertex numbers of the written points of a StraightTrack (scale 1:
// coordinates are written in millimetres).
std::vector<double> VertexNumbers(const DrawnFile& drawn) {
  std::vector<double> numbers;
  for (const Point& point : drawn.points) numbers.push_back(point[0] / 10);
  return numbers;
}

struct Drawing {
  tessarin::testing::TempDir folder;
  TrackDrawingSettings settings;
  Drawing() {
    settings.basePath = folder.File("scene");
    settings.trackDataPath = "/data/run_tracks.txt";
  }
  std::string File(int type) const { return TrackFileName(settings.basePath, type); }
};

TEST(TrackPoints, TheThinningExampleKeepsTenEvenlySpacedVertices) {
  const TrackPointPlan plan = PlanTrackPoints(Whole(100), 100, false, 10);
  EXPECT_EQ(plan.points, 100);
  EXPECT_EQ(plan.allowance, 10);
  std::vector<int> indices;
  DrawnVertices(plan, indices);
  EXPECT_EQ(indices, (std::vector<int>{1, 13, 26, 38, 50, 62, 75, 87, 99}));

  // Fewer points than the allowance, or no allowance: point for point.
  for (int limit : {100, 1000, -1}) {
    DrawnVertices(PlanTrackPoints(Whole(100), 100, false, limit), indices);
    EXPECT_EQ(indices.size(), 99u) << limit;
  }
}

TEST(TrackPoints, ASegmentWithInterpolatedEndsIsThinnedBetweenThem) {
  // Vertices 10 to 60 with interpolated points before and after: 53 points.
  const TrackPointPlan plan = PlanTrackPoints({10, 60, true, true, {}, {}}, 100, false, 10);
  EXPECT_EQ(plan.points, 53);
  std::vector<int> indices;
  DrawnVertices(plan, indices);
  EXPECT_EQ(indices, (std::vector<int>{10, 16, 23, 29, 36, 42, 48, 55}));  // + start and end point = 10

  DrawnVertices(PlanTrackPoints({10, 60, true, true, {}, {}}, 100, false, -1), indices);
  EXPECT_EQ(indices.front(), 10);
  EXPECT_EQ(indices.back(), 60);
  EXPECT_EQ(indices.size(), 51u);
}

TEST(TrackPoints, AnEscapedTrackWhoseSegmentEndsEarlyStillEnds) {
  // The spacing has no room here (its step count is negative): the drawing
  // must neither loop nor step outside the track.
  const TrackPointPlan plan = PlanTrackPoints({0, 0, false, false, {}, {}}, 50, true, 4);
  EXPECT_EQ(plan.lastDrawn, 49);
  std::vector<int> indices;
  DrawnVertices(plan, indices);
  ASSERT_FALSE(indices.empty());
  EXPECT_EQ(indices.back(), 49);
  for (int index : indices) EXPECT_TRUE(index >= 0 && index < 50) << index;
}

TEST(TrackDrawing, WritesOneCurvePerTypeInItsColourAndLoadsOnlyTypesWithTracks) {
  Drawing fixture;
  fixture.settings.colors[7] = {0, 255, 128, 0};
  TrackDrawing drawing(fixture.settings);
  const std::vector<TrackVertex> first = StraightTrack(3), second = StraightTrack(5);
  drawing.Add(Input(first, 7), Whole(3), tracks::kCurrentTrackLayout);
  drawing.Add(Input(second, 7), Whole(5), tracks::kCurrentTrackLayout);
  drawing.Add(Input(first, 0), Whole(3), tracks::kCurrentTrackLayout);
  drawing.Finish();

  EXPECT_EQ(drawing.FileNames()[7], fixture.folder.File("scene_tracks7_Compton_recoil.rt"));
  EXPECT_EQ(drawing.FileNames()[0], fixture.folder.File("scene_tracks0_source.rt"));
  for (int type = 1; type < settings::kTrackTypeCount; ++type) {
    if (type == 7) continue;
    EXPECT_TRUE(drawing.FileNames()[static_cast<std::size_t>(type)].empty()) << type;
    EXPECT_FALSE(std::filesystem::exists(fixture.File(type))) << type;
  }
  const DrawnFile compton = ReadDrawnFile(fixture.File(7));
  EXPECT_EQ(compton.header, (std::vector<std::string>{"vdraw open tracks7", "vdraw params color ff8000"}));
  EXPECT_EQ(compton.pen, (std::vector<int>{0, 1, 1, 0, 1, 1, 1, 1}));
  EXPECT_TRUE(compton.sent);
  EXPECT_TRUE(drawing.Messages().empty());
  EXPECT_EQ(drawing.TracksDrawn(), 3);
  EXPECT_EQ(drawing.PointsWritten(), 11);
}

TEST(TrackDrawing, CoordinatesAreMillimetresOfTheScriptsUnit) {
  Drawing fixture;
  fixture.settings.scale = 0.01;  // one MGED centimetre is a metre
  TrackDrawing drawing(fixture.settings);
  const std::vector<TrackVertex> track{{250, -1e-3, 12.5, 1}, {300, 0, 0, 0}};
  drawing.Add(Input(track), Whole(2), tracks::kCurrentTrackLayout);
  drawing.Finish();
  const std::string text = ReadWholeFile(fixture.File(0));
  EXPECT_NE(text.find("\n0 25 -0.0001 1.25\n1 30 0 0\n"), std::string::npos) << text;
}

TEST(TrackDrawing, ThinsLongTracksAndStopsAtTheTotalAllowance) {
  Drawing fixture;
  fixture.settings.nVerticesTrackMax = 10;
  fixture.settings.nVerticesTotalMax = 25;
  TrackDrawing drawing(fixture.settings);
  const std::vector<TrackVertex> track = StraightTrack(100);
  // 10 + 10 points, then 5 left for a track that needs 10: the third and
  // every later track are left out, even a short one that would fit.
  const std::vector<TrackVertex> shortTrack = StraightTrack(2);
  drawing.Add(Input(track), Whole(100), tracks::kCurrentTrackLayout);
  drawing.Add(Input(track), Whole(100), tracks::kCurrentTrackLayout);
  drawing.Add(Input(track), Whole(100), tracks::kCurrentTrackLayout);
  drawing.Add(Input(shortTrack), Whole(2), tracks::kCurrentTrackLayout);
  drawing.Finish();

  const DrawnFile drawn = ReadDrawnFile(fixture.File(0));
  const std::vector<double> once{0, 1, 13, 26, 38, 50, 62, 75, 87, 99};
  std::vector<double> twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(VertexNumbers(drawn), twice);
  EXPECT_EQ(drawing.TracksDrawn(), 2);
  EXPECT_EQ(drawing.TracksSelected(), 4);
  ASSERT_EQ(drawing.Messages().size(), 1u);
  EXPECT_EQ(drawing.Messages()[0].icon, platform::MessageIcon::Warning);
  EXPECT_EQ(drawing.Messages()[0].text,
            "The maximum allowed total number of vertices (25) has been exceeded. 2 out of 4 tracks will be shown.\n"
            "Some tracks have more than 10 vertices. Some vertices in those tracks will not be shown.");
}

TEST(TrackDrawing, TheTotalAllowanceCountsWholeTracksOnly) {
  Drawing fixture;
  fixture.settings.nVerticesTotalMax = 10000;
  fixture.settings.nVerticesTrackMax = -1;
  TrackDrawing drawing(fixture.settings);
  const std::vector<TrackVertex> track = StraightTrack(3000);
  for (int k = 0; k < 5; ++k) drawing.Add(Input(track), Whole(3000), tracks::kCurrentTrackLayout);
  drawing.Finish();
  EXPECT_EQ(drawing.TracksDrawn(), 3);
  EXPECT_EQ(drawing.PointsWritten(), 9000);
  EXPECT_EQ(ReadDrawnFile(fixture.File(0)).points.size(), 9000u);
  ASSERT_EQ(drawing.Messages().size(), 1u);
  EXPECT_EQ(drawing.Messages()[0].text,
            "The maximum allowed total number of vertices (10000) has been exceeded. 3 out of 5 tracks will be shown.\n");

  // Blank allowances: everything is drawn, nothing is reported.
  Drawing unlimited;
  TrackDrawing all(unlimited.settings);
  for (int k = 0; k < 5; ++k) all.Add(Input(track), Whole(3000), tracks::kCurrentTrackLayout);
  all.Finish();
  EXPECT_EQ(all.TracksDrawn(), 5);
  EXPECT_TRUE(all.Messages().empty());
}

TEST(TrackDrawing, SegmentsStartAndEndAtTheirInterpolatedPoints) {
  Drawing fixture;
  TrackDrawing drawing(fixture.settings);
  const std::vector<TrackVertex> track = StraightTrack(10);
  drawing.Add(Input(track), {3, 6, true, true, {2.5, 0, 0, 0}, {6.25, 0, 0, 0}}, tracks::kCurrentTrackLayout);
  drawing.Add(Input(track), {3, 6, false, false, {}, {}}, tracks::kCurrentTrackLayout);
  drawing.Finish();
  EXPECT_EQ(VertexNumbers(ReadDrawnFile(fixture.File(0))),
            (std::vector<double>{2.5, 3, 4, 5, 6, 6.25, 3, 4, 5, 6}));
  EXPECT_EQ(drawing.PointsWritten(), 10);
}

TEST(TrackDrawing, EscapedTracksLeaveTheWorldAlongTheirLastPiece) {
  const std::vector<TrackVertex> track{{0, 0, 0, 5}, {1, 1, 0, 4}, {4, 5, 0, 4}};
  for (bool extend : {true, false}) {
    Drawing fixture;
    fixture.settings.extendEscapeTracks = extend;
    fixture.settings.worldSize = 50;
    TrackDrawing drawing(fixture.settings);
    // The segment ends before the escape point; the escape point is still drawn.
    drawing.Add(Input(track, 0, tracks::kTrackEscaped), {0, 1, false, false, {}, {}}, tracks::kCurrentTrackLayout);
    drawing.Finish();
    const DrawnFile drawn = ReadDrawnFile(fixture.File(0));
    ASSERT_EQ(drawn.points.size(), extend ? 4u : 3u) << extend;
    EXPECT_EQ(drawn.points[2], (Point{40, 50, 0}));
    // 2 W = 100 cm beyond the escape point along (3, 4, 0) / 5: 1000 mm further.
    if (extend) {
      EXPECT_EQ(drawn.points[3], (Point{40 + 600, 50 + 800, 0}));
    }
    EXPECT_TRUE(drawing.Messages().empty());
  }
}

TEST(TrackDrawing, OlderLayoutEscapesAreExtendedByTheReaderAndWarnedAboutWhenTheOptionIsOff) {
  // The reader has already moved the last point out; the drawing adds none.
  const std::vector<TrackVertex> track{{0, 0, 0, 5}, {1, 0, 0, 4}, {101, 0, 0, 4}};
  for (bool extend : {true, false}) {
    Drawing fixture;
    fixture.settings.extendEscapeTracks = extend;
    fixture.settings.worldSize = 50;
    TrackDrawing drawing(fixture.settings);
    drawing.Add(Input(track, 0, tracks::kTrackEnergyLeft), Whole(3), tracks::kOlderTrackLayout);
    drawing.Add(Input(track, 0, tracks::kTrackStopped), Whole(3), tracks::kOlderTrackLayout);
    drawing.Finish();
    EXPECT_EQ(ReadDrawnFile(fixture.File(0)).points.size(), 6u);
    if (extend) {
      EXPECT_TRUE(drawing.Messages().empty());
    } else {
      ASSERT_EQ(drawing.Messages().size(), 1u);
      EXPECT_EQ(drawing.Messages()[0].text,
                "Warning: File \"/data/run_tracks.txt\" was created with an older version of Tessarin and has no "
                "escape point coordinates. Consequently, the escape tracks will be extended beyond the clipping "
                "cube.");
    }
  }
}

TEST(TrackDrawing, ATypeWhoseFileCannotBeMadeIsReportedOnceAndLeftOut) {
  Drawing fixture;
  std::filesystem::create_directory(fixture.File(1));  // a folder in the file's place
  TrackDrawing drawing(fixture.settings);
  const std::vector<TrackVertex> track = StraightTrack(4);
  drawing.Add(Input(track, 1), Whole(4), tracks::kCurrentTrackLayout);
  drawing.Add(Input(track, 1), Whole(4), tracks::kCurrentTrackLayout);
  drawing.Add(Input(track, 2), Whole(4), tracks::kCurrentTrackLayout);
  drawing.Finish();
  ASSERT_EQ(drawing.Messages().size(), 1u);
  EXPECT_EQ(drawing.Messages()[0].text, "File \"" + fixture.File(1) + "\" could not be opened for writing: Is a directory.");
  EXPECT_EQ(drawing.Messages()[0].icon, platform::MessageIcon::Error);
  EXPECT_TRUE(drawing.FileNames()[1].empty());
  EXPECT_EQ(drawing.FilesFailed(), 1);
  EXPECT_EQ(ReadDrawnFile(fixture.File(2)).points.size(), 4u);
  EXPECT_EQ(drawing.TracksDrawn(), 1);
}

// Thousands of tracks of three types, written on the writer's thread in
// batches: each file holds its tracks' points in the order they were drawn,
// with the same numbers as they had.
TEST(TrackDrawing, ManyTracksReachTheirFilesInOrder) {
  Drawing fixture;
  std::array<std::vector<Point>, 3> expected;
  {
    TrackDrawing drawing(fixture.settings);
    for (int t = 0; t < 3000; ++t) {
      const int type = t % 3;
      std::vector<TrackVertex> track;
      for (int k = 0; k < 7; ++k) track.push_back({t + 0.001 * k, -0.5 * k, 1e-7 * t, 1000.0 - k});
      drawing.Add(Input(track, type), Whole(7), tracks::kCurrentTrackLayout);
      std::vector<Point>& points = expected[static_cast<std::size_t>(type)];
      for (const TrackVertex& v : track) points.push_back({10 * v.x, 10 * v.y, 10 * v.z});
    }
    drawing.Finish();
    EXPECT_EQ(drawing.PointsWritten(), 21000);
  }
  for (int type = 0; type < 3; ++type) {
    const DrawnFile drawn = ReadDrawnFile(fixture.File(type));
    EXPECT_TRUE(drawn.sent) << type;
    ASSERT_EQ(drawn.points.size(), expected[static_cast<std::size_t>(type)].size()) << type;
    for (std::size_t i = 0; i < drawn.points.size(); ++i) {
      for (std::size_t c = 0; c < 3; ++c) {
        const double want = expected[static_cast<std::size_t>(type)][i][c];
        ASSERT_NEAR(drawn.points[i][c], want, 1e-13 * std::max(1.0, std::abs(want))) << type << " " << i;
      }
      ASSERT_EQ(drawn.pen[i], i % 7 == 0 ? 0 : 1) << i;
    }
  }
}

TEST(TrackDrawing, ALargeDrawingIsCutIntoCurvesBetweenTracks) {
  Drawing fixture;
  fixture.settings.nVerticesTrackMax = -1;
  {
    TrackDrawing drawing(fixture.settings);
    const std::vector<TrackVertex> track = StraightTrack(9000);
    for (int t = 0; t < 5; ++t) drawing.Add(Input(track, 2), Whole(9000), tracks::kCurrentTrackLayout);
    drawing.Finish();
  }
  const DrawnFile drawn = ReadDrawnFile(fixture.File(2));
  EXPECT_TRUE(drawn.sent);
  EXPECT_EQ(drawn.curves, (std::vector<std::string>{"tracks2", "tracks2_2"}));
  // A curve is closed after the track that takes it past kPointsPerCurve.
  EXPECT_EQ(drawn.curveSizes, (std::vector<std::size_t>{27000, 18000}));
  // Each curve has the type's colour.
  const std::string text = ReadWholeFile(fixture.File(2));
  const std::size_t colour = text.find("vdraw params color");
  ASSERT_NE(colour, std::string::npos);
  const std::string colourLine = text.substr(colour, text.find('\n', colour) - colour);
  EXPECT_NE(text.find(colourLine, text.find("vdraw open tracks2_2")), std::string::npos);
}

TEST(TrackDrawing, TheFastFormOverlaysABinaryPlotFileInTheTypesColour) {
  Drawing fixture;
  fixture.settings.form = ScriptForm::Fast;
  fixture.settings.colors[1] = {0, 255, 128, 0};
  {
    TrackDrawing drawing(fixture.settings);
    drawing.Add(Input({{1, 2, 3, 1}, {4, 5, 6, 0}}, 1), Whole(2), tracks::kCurrentTrackLayout);
    drawing.Finish();
    EXPECT_TRUE(drawing.Messages().empty());
  }
  const std::string plotPath = TrackPlotFileName(fixture.settings.basePath, 1);
  const std::string overlay = ReadWholeFile(fixture.File(1));
  EXPECT_EQ(overlay, "overlay -s 1 \"" + plotPath + "\" tracks1\n");
  const std::string plot = ReadWholeFile(plotPath);
  ASSERT_EQ(plot.size(), 4u + 2 * 25u);
  EXPECT_EQ(plot.substr(0, 4), std::string("C\xff\x80\x00", 4));
  EXPECT_EQ(plot[4], 'O');
  EXPECT_EQ(plot[29], 'Q');
  // Big-endian doubles: 10 mm is 0x4024000000000000.
  EXPECT_EQ(plot.substr(5, 8), std::string("\x40\x24\0\0\0\0\0\0", 8));
}

// A drawing that never finishes, or whose file fails, leaves what was there
// before; the other types are drawn.
TEST(TrackDrawing, AnUnfinishedOrFailedDrawingLeavesTheOlderFiles) {
  Drawing fixture;
  tessarin::testing::WriteWholeFile(fixture.File(0), "older\n");
  const std::vector<TrackVertex> track = StraightTrack(5000);
  {
    TrackDrawing drawing(fixture.settings);
    for (int k = 0; k < 4; ++k) drawing.Add(Input(track), Whole(5000), tracks::kCurrentTrackLayout);
  }
  EXPECT_EQ(ReadWholeFile(fixture.File(0)), "older\n");
  TrackDrawing drawing(fixture.settings);
  drawing.Add(Input(StraightTrack(3), 2), Whole(3), tracks::kCurrentTrackLayout);
  {
    tessarin::testing::FileSizeLimit limit(100000);
    for (int k = 0; k < 4; ++k) drawing.Add(Input(track), Whole(5000), tracks::kCurrentTrackLayout);
    drawing.Finish();
  }
  // The type that fitted is not put in place either: a drawing is kept
  // whole or not at all.
  EXPECT_EQ(ReadWholeFile(fixture.File(0)), "older\n");
  EXPECT_TRUE(drawing.FileNames()[0].empty());
  EXPECT_TRUE(drawing.FileNames()[2].empty());
  EXPECT_EQ(drawing.FilesFailed(), 2);
  EXPECT_TRUE(drawing.Unwritten());
  ASSERT_EQ(drawing.Messages().size(), 1u);
  EXPECT_EQ(drawing.Messages()[0].text, "File \"" + fixture.File(0) + "\" could not be written: File too large.");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(fixture.folder.path()), {}), 1);
}

// A point beyond what doubles hold once scaled to MGED's millimetres is
// refused, and no file of the drawing is kept.
TEST(TrackDrawing, APointThatOverflowsIsRefused) {
  Drawing fixture;
  fixture.settings.scale = 1e8;  // ångström
  TrackDrawing drawing(fixture.settings);
  drawing.Add(Input(StraightTrack(3)), Whole(3), tracks::kCurrentTrackLayout);
  const std::vector<TrackVertex> far{{0, 0, 0, 1}, {1e300, 0, 0, 0}};
  tracks::TrackInput input = Input(far, 1);
  input.track = 6;
  drawing.Add(input, Whole(2), tracks::kCurrentTrackLayout);
  drawing.Finish();
  EXPECT_EQ(drawing.FilesFailed(), 2);
  ASSERT_EQ(drawing.Messages().size(), 1u);
  EXPECT_EQ(drawing.Messages()[0].text,
            "Track 7 cannot be drawn in MGED: its point (1e+300, 0, 0) cm is not a finite number of MGED units. "
            "The track drawing files have not been written.");
  EXPECT_FALSE(std::filesystem::exists(fixture.File(0)));
  EXPECT_FALSE(std::filesystem::exists(fixture.File(1)));
}

}  // namespace
}  // namespace tessarin::render
