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

TEST(FreshParameterSet, HasTheDocumentedDefaults) {
  const VIEWPARM set = DefaultParameterSet();
  EXPECT_EQ(set.name, "");
  EXPECT_EQ(set.VarnholtExeName, "Varnholt");
  EXPECT_EQ(set.MGEDcmdLine, "mged");
  EXPECT_EQ(set.suffix, "_out");
  EXPECT_EQ(set.logSuffix, "_log");
  EXPECT_EQ(set.createLog, 2);
  EXPECT_EQ(set.checkSyntax_Varnholt, 2);
  EXPECT_EQ(set.checkSyntax_Tessarin, 1);
  EXPECT_EQ(set.cmdFolderOption, 2);
  EXPECT_EQ(set.nThreads, -1);
  EXPECT_EQ(set.process, ProcessState{});
  EXPECT_EQ(set.process.consoleListPosition, -1);
  EXPECT_EQ(ColorName(set.trackColorRGB[0].nameIndex), "Grey");
  EXPECT_EQ(ColorName(set.trackColorRGB[11].nameIndex), "Lime");
  EXPECT_EQ(set.trackColorRGB[4], (ColorEntry{kCustomColorIndex, 200, 50, 128}));
  ASSERT_EQ(set.rows.size(), 13u);
  for (std::size_t i = 0; i < set.rows.size(); ++i) {
    EXPECT_EQ(set.rows[i].color, kMaterialPalette[i]);
    EXPECT_EQ(set.rows[i].transparency, 0.3);
    EXPECT_EQ(set.rows[i].show, 1);
  }
}

TEST(FreshParameterSet, DefaultTypeMaskSelectsTheFirstNineTrackTypes) {
  const int mask = DefaultParameterSet().filter.originTypeMask;
  for (int type = 0; type < kTrackTypeCount; ++type)
    EXPECT_EQ((mask & TrackTypeMask(type)) != 0, type <= 8) << "type " << type;
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
  EXPECT_EQ(set.nThreads, -1);
  EXPECT_EQ(set.viewSize, 15);
  EXPECT_EQ(set.azimuth, 25);
  EXPECT_EQ(set.nIterations, 20);
  EXPECT_EQ(set.trackColorRGB, kDefaultTrackColors);
  EXPECT_EQ(set.backgroundColorRGB, kDefaultBackgroundColor);
  EXPECT_EQ(set.rows, DefaultRegionRows());
}

TEST(ResetToDefaults, FullResetGivesTheFreshSet) {
  VIEWPARM set = EditedSet();
  ResetToDefaults(set, false);
  EXPECT_EQ(set, DefaultParameterSet());
}

}  // namespace
}  // namespace tessarin::settings
