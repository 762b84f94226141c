#include "raytrace/ray_findings.h"

#include <gtest/gtest.h>

#include "raytrace/span_list.h"

namespace tessarin::raytrace {
namespace {

Span Stretch(double entry, double exit, std::int32_t entrySurface = kTraceLimit, std::int32_t exitSurface = kTraceLimit) {
  return Span{entry, exit, entrySurface, exitSurface};
}

TEST(SpanList, TakingAwayKeepsTheSurfacesThatCut) {
  std::vector<Span> removed = {Stretch(4, 5, 7, 8), Stretch(1, 2, 3, 4), Stretch(1.5, 2.5, 5, 6), Stretch(9, 12, 1, 1)};
  Merge(removed);
  ASSERT_EQ(removed.size(), 3u);
  EXPECT_EQ(removed[0].exit, 2.5);
  EXPECT_EQ(removed[0].exitSurface, 6);
  std::vector<Span> out;
  Subtract({Stretch(0, 10, 10, 11)}, removed, out);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0].exit, 1);
  EXPECT_EQ(out[0].exitSurface, 3);
  EXPECT_EQ(out[1].entry, 2.5);
  EXPECT_EQ(out[1].entrySurface, 6);
  EXPECT_EQ(out[2].entry, 5);
  EXPECT_EQ(out[2].exit, 9);
  EXPECT_EQ(out[2].exitSurface, 1);
}

TEST(RayFindings, OverlapsAndGapsBetweenCells) {
  // Cell 3 around cells 1 and 2, which share [10, 10.5]; nothing on [13, 14].
  const std::vector<CellSpan> spans = {{3, Stretch(5, 8)},    {1, Stretch(8, 10.5)}, {2, Stretch(10, 12)},
                                       {3, Stretch(12, 13)},  {3, Stretch(14, 15)},  {4, Stretch(14.5, 14.5 + 1e-13)}};
  RayFindings findings;
  FindOverlapsAndGaps(spans, 1e-12, findings);
  ASSERT_EQ(findings.overlaps.size(), 1u);
  EXPECT_EQ(findings.overlaps[0].firstCell, 1);
  EXPECT_EQ(findings.overlaps[0].secondCell, 2);
  EXPECT_EQ(findings.overlaps[0].from, 10);
  EXPECT_EQ(findings.overlaps[0].to, 10.5);
  ASSERT_EQ(findings.gaps.size(), 1u);
  EXPECT_EQ(findings.gaps[0].from, 13);
  EXPECT_EQ(findings.gaps[0].to, 14);
}

}  // namespace
}  // namespace tessarin::raytrace
