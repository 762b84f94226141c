#include <gtest/gtest.h>

#include "settings/colors.h"
#include "settings/viewparm.h"

namespace tessarin::settings {
namespace {

TEST(ColorNames, FirstExactMatchNamesTheColour) {
  EXPECT_EQ(ColorName(DeriveColorNameIndex(255, 191, 0, false)), "Amber");
  EXPECT_EQ(ColorName(DeriveColorNameIndex(255, 191, 0, true)), "Amber");
  EXPECT_EQ(DeriveColorNameIndex(1, 2, 3, false), kCustomColorIndex);
  EXPECT_EQ(ColorName(kCustomColorIndex), "Custom");
}

TEST(ColorNames, BlackIsNamedForTracksButCustomForMaterialRows) {
  EXPECT_EQ(ColorName(DeriveColorNameIndex(0, 0, 0, false)), "Black");
  EXPECT_EQ(DeriveColorNameIndex(0, 0, 0, true), kCustomColorIndex);
}

TEST(ColorNames, EveryNamedColourFindsItsOwnIndex) {
  for (int i = 0; i < kNamedColorCount; ++i) {
    const NamedColor& c = kNamedColors[static_cast<std::size_t>(i)];
    EXPECT_EQ(DeriveColorNameIndex(c.red, c.green, c.blue, false), i) << c.name;
    EXPECT_LE(c.name.size(), kMaxColorNameLength);
  }
}

TEST(ColorNames, StoredIndicesOfTheTablesAgreeWithTheirRgb) {
  for (const ColorEntry& c : kMaterialPalette)
    EXPECT_EQ(c, MakeColor(c.red, c.green, c.blue, true));
  for (const ColorEntry& c : kDefaultTrackColors) EXPECT_EQ(c, MakeColor(c.red, c.green, c.blue, false));
  EXPECT_EQ(kDefaultBeamAxisColor, MakeColor(255, 0, 0, false));
  EXPECT_EQ(kDefaultBackgroundColor, MakeColor(255, 255, 255, false));
}

TEST(MaterialPalette, RowsWrapAroundAfterSeventeenColours) {
  EXPECT_EQ(PaletteRegionRow(17).color, kMaterialPalette[0]);
  EXPECT_EQ(PaletteRegionRow(20).color, kMaterialPalette[3]);
  EXPECT_EQ(PaletteRegionRow(16).color, (ColorEntry{0, 255, 255, 255}));
}

VIEWPARM EditedSet() {
  VIEWPARM set;
  set.name = "edited";
  set.InputFN = "run.txt";
  set.suffix = "_r%d";
  set.nThreads = 8;
  set.viewSize = 99;
  set.azimuth = -40;
  set.nIterations = 3;
  set.trackColorRGB[2] = MakeColor(1, 2, 3, false);
  set.backgroundColorRGB = MakeColor(0, 0, 0, false);
  set.rows.resize(2);
  set.filter.genMax = 4;
  set.segments.segmentEmin = 10;
  set.systemVariables[3] = 7;
  set.process.consoleProcessId = 1234;
  return set;
}

TEST(ResetToDefaults, GraphicsOnlyKeepsNameFilesFiltersAndProcessesButResetsThreads) {
  VIEWPARM set = EditedSet();
  ResetToDefaults(set, true);
  EXPECT_EQ(set.name, "edited");
  EXPECT_EQ(set.InputFN, "run.txt");
  EXPECT_EQ(set.suffix, "_r%d");
  EXPECT_EQ(set.filter.genMax, 4);
  EXPECT_EQ(set.segments.segmentEmin, 10);
  EXPECT_EQ(set.systemVariables[3], 7);
  EXPECT_EQ(set.process.consoleProcessId, 1234);
  const VIEWPARM fresh = DefaultParameterSet();
  EXPECT_EQ(set.nThreads, fresh.nThreads);
  EXPECT_EQ(set.viewSize, fresh.viewSize);
  EXPECT_EQ(set.azimuth, fresh.azimuth);
  EXPECT_EQ(set.nIterations, fresh.nIterations);
  EXPECT_EQ(set.trackColorRGB, fresh.trackColorRGB);
  EXPECT_EQ(set.backgroundColorRGB, fresh.backgroundColorRGB);
  EXPECT_EQ(set.rows, fresh.rows);
}

TEST(ResetToDefaults, FullResetGivesTheFreshSet) {
  VIEWPARM set = EditedSet();
  ResetToDefaults(set, false);
  EXPECT_EQ(set, DefaultParameterSet());
}

}  // namespace
}  // namespace tessarin::settings
