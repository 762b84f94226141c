// Which points a selected segment puts into the exported lines.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tracks/vtk_export.h"

namespace tessarin::tracks {
namespace {

// The x coordinates of the document's points.
std::vector<double> PointXs(const PolyDataExport& exported) {
  std::ostringstream out;
  EXPECT_TRUE(exported.Write(out));
  std::string text = out.str();
  std::size_t start = text.find('>', text.find("Name=\"Points\"")) + 1;
  std::istringstream values(text.substr(start, text.find("</DataArray>", start) - start));
  std::vector<double> xs;
  for (double x, y, z; values >> x >> y >> z;) xs.push_back(x);
  return xs;
}

TEST(PolyDataExport, ASegmentKeepsItsFirstAndLastVertexAndItsCutEnds) {
  const std::vector<TrackVertex> vertices{{0, 0, 0, 4}, {1, 0, 0, 3}, {2, 0, 0, 2}, {3, 0, 0, 1}};
  TrackInput track;
  track.vertices = vertices;
  const struct {
    SelectedSegment segment;
    std::vector<double> xs;
  } cases[] = {
      {{1, 2, false, false, {}, {}}, {1, 2}},
      {{0, 3, false, false, {}, {}}, {0, 1, 2, 3}},
      {{3, 3, true, false, {2.5, 0, 0, 1.5}, {}}, {2.5, 3}},
      {{1, 2, true, true, {0.5, 0, 0, 3.5}, {2.25, 0, 0, 1.75}}, {0.5, 1, 2, 2.25}},
  };
  for (const auto& c : cases) {
    PolyDataExport exported(true);
    exported.Add(track, c.segment, 0);
    EXPECT_EQ(PointXs(exported), c.xs) << c.segment.first << "-" << c.segment.last;
  }
  PolyDataExport whole(false);
  whole.Add(track, cases[0].segment, 0);
  EXPECT_EQ(PointXs(whole), (std::vector<double>{0, 1, 2, 3}));
}

}  // namespace
}  // namespace tessarin::tracks
