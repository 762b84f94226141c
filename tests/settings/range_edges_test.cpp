// The integer limits of a parameter set at their edges: a limit that moved
// by one would make the reader refuse files it used to load, or take values
// the simulator or the renderer cannot use.

#include <gtest/gtest.h>

#include "parameter_text.h"

namespace tessarin::settings {
namespace {

using testing::ReadAccepted;
using testing::ReadWithLine;

struct IntegerEdges {
  const char* key;
  int VIEWPARM::*field;
  int lowest;
  int highest;
};

std::string Line(const char* key, long long value) { return std::string(key) + " = " + std::to_string(value); }

TEST(RangeEdges, IntegerFieldsTakeTheirLimitsAndNothingBeyond) {
  for (const IntegerEdges& edges : {IntegerEdges{"portNum", &VIEWPARM::portNum, 1, 10000},
                                    IntegerEdges{"nThreads", &VIEWPARM::nThreads, -1, 2048},
                                    IntegerEdges{"nIterations", &VIEWPARM::nIterations, 0, 50},
                                    IntegerEdges{"unitEnergy", &VIEWPARM::unitEnergy, 0, 2},
                                    IntegerEdges{"unitDistance", &VIEWPARM::unitDistance, 0, 3}}) {
    SCOPED_TRACE(edges.key);
    EXPECT_EQ(ReadAccepted(edges.key, Line(edges.key, edges.lowest)).*edges.field, edges.lowest);
    EXPECT_EQ(ReadAccepted(edges.key, Line(edges.key, edges.highest)).*edges.field, edges.highest);
    EXPECT_FALSE(ReadWithLine(edges.key, Line(edges.key, edges.lowest - 1LL)));
    EXPECT_FALSE(ReadWithLine(edges.key, Line(edges.key, edges.highest + 1LL)));
  }
}

}  // namespace
}  // namespace tessarin::settings
