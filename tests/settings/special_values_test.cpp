#include <gtest/gtest.h>

#include "parameter_text.h"
#include "settings/colors.h"

namespace tessarin::settings {
namespace {

using testing::FreshSets;
using testing::ReadAccepted;
using testing::ReadText;
using testing::ReadWithLine;
using testing::ReplaceLine;
using testing::WriteToText;

TEST(SpecialValues, SmallVertexLimitsMeanNoLimit) {
  EXPECT_EQ(ReadAccepted("nVerticesTotalMax", "nVerticesTotalMax = 5000").nVerticesTotalMax, -1);
  EXPECT_EQ(ReadAccepted("nVerticesTotalMax", "nVerticesTotalMax = 0").nVerticesTotalMax, -1);
  EXPECT_EQ(ReadAccepted("nVerticesTotalMax", "nVerticesTotalMax = 10000").nVerticesTotalMax, 10000);
  EXPECT_EQ(ReadAccepted("nVerticesTrackMax", "nVerticesTrackMax = 3").nVerticesTrackMax, -1);
  EXPECT_EQ(ReadAccepted("nVerticesTrackMax", "nVerticesTrackMax = 4").nVerticesTrackMax, 4);
  EXPECT_FALSE(ReadWithLine("nVerticesTrackMax", "nVerticesTrackMax = -2"));
}

TEST(SpecialValues, BeamAxisNoneIsTheButtonFaceColour) {
  std::optional<VIEWPARM> none = ReadWithLine("beamAxisColorRGB", "beamAxisColorRGB = (-1, -1, -1)");
  ASSERT_TRUE(none);
  EXPECT_EQ(none->beamAxisColorRGB, MakeColor(212, 208, 200, false));
  EXPECT_FALSE(ReadWithLine("beamAxisColorRGB", "beamAxisColorRGB = (-1, 0, 0)"));
  EXPECT_FALSE(ReadWithLine("beamAxisColorRGB", "beamAxisColorRGB = (0, -1, -1)"));
  EXPECT_FALSE(ReadWithLine("backgroundColorRGB", "backgroundColorRGB = (-1, -1, -1)"));
}

TEST(SpecialValues, ColoursReadInEitherNotationAndGetTheirNames) {
  std::optional<VIEWPARM> set = ReadWithLine("backgroundColorRGB", "backgroundColorRGB = 0 0 0");
  ASSERT_TRUE(set);
  EXPECT_EQ(ColorName(set->backgroundColorRGB.nameIndex), "Black");
  set = ReadWithLine("colorRGB", "colorRGB = (0,0,0)");
  ASSERT_TRUE(set);
  EXPECT_EQ(set->rows[0].color.nameIndex, kCustomColorIndex);  // no Black for materials
  EXPECT_FALSE(ReadWithLine("colorRGB", "colorRGB = (0, 256, 0)"));
}

TEST(SpecialValues, HistoryAndTrackNumbersAreOneBasedInTheFile) {
  std::optional<VIEWPARM> set = ReadWithLine("historyNumStart", "historyNumStart = 10");
  ASSERT_TRUE(set);
  EXPECT_EQ(set->filter.historyNumStart, 9);
  EXPECT_EQ(set->filter.historyNumEnd, -1);
  EXPECT_EQ(ReadAccepted("trackNumEnd", "trackNumEnd = 5").filter.trackNumEnd, 4);
  EXPECT_FALSE(ReadWithLine("trackNumStart", "trackNumStart = 0"));
}

TEST(SpecialValues, CutAwayNormalMustNotBeZero) {
  EXPECT_FALSE(ReadWithLine("cutawayPlaneNormal", "cutawayPlaneNormal = (0, 0, 0)"));
  EXPECT_EQ(ReadAccepted("cutawayPlaneNormal", "cutawayPlaneNormal = (0, 1e-300, 0)").cutawayPlaneNormal.y, 1e-300);
}

TEST(SpecialValues, SomeSwitchesTakeAnyIntegerAsOnOrOff) {
  EXPECT_EQ(ReadAccepted("useCutawayPlane", "useCutawayPlane = 7").useCutawayPlane, 1);
  EXPECT_EQ(ReadAccepted("show", "show = -3").rows[0].show, 1);
  EXPECT_FALSE(ReadWithLine("showWireframe", "showWireframe = 2"));
}

TEST(SpecialValues, SuffixLineIsCutAndALoneTrailingPercentDropped) {
  const std::string fifty = std::string(49, 'a') + "%";
  EXPECT_EQ(ReadAccepted("suffix", "suffix = " + fifty).suffix, std::string(49, 'a'));
  const std::string withNumber = std::string(48, 'a') + "%d";
  EXPECT_EQ(ReadAccepted("suffix", "suffix = " + withNumber).suffix, withNumber);
  EXPECT_EQ(ReadAccepted("MGEDsuffix", "MGEDsuffix = _rt%d trailing words").MGEDsuffix, "_rt%d");
  EXPECT_EQ(ReadAccepted("logSuffix", "logSuffix = " + fifty).logSuffix, std::string(49, 'a'));
}

TEST(SpecialValues, SuffixWithAStrayPercentIsRefused) {
  EXPECT_FALSE(ReadWithLine("suffix", "suffix = _%s"));
  EXPECT_FALSE(ReadWithLine("suffix", "suffix = _%d%d"));
  EXPECT_FALSE(ReadWithLine("MGEDsuffix", "MGEDsuffix = 100%"));
}

TEST(SpecialValues, EmptySuffixBringsTheCustomFileLine) {
  std::string text = WriteToText(FreshSets(1));
  text = ReplaceLine(text, "suffix", "suffix = \nOutputFileName = out\\custom.txt");
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(text, host);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(result.list.sets[0].suffix, "");
  EXPECT_EQ(result.list.sets[0].OutputFileName, "out/custom.txt");
}

TEST(SpecialValues, TextValuesKeepTrailingBlanksAndAreCut) {
  EXPECT_EQ(ReadAccepted("additionalArgs", "additionalArgs =\t= -x  ").additionalArgs, "-x  ");
  EXPECT_EQ(ReadAccepted("InputFN", "InputFN = " + std::string(300, 'n')).InputFN, std::string(259, 'n'));
  EXPECT_EQ(ReadAccepted("additionalArgs", "additionalArgs = " + std::string(590, 'x')).additionalArgs.size(), 518u);
}

TEST(SpecialValues, MgedProgramGetsSlashesButItsArgumentsDoNot) {
  std::optional<VIEWPARM> set = ReadWithLine("MGEDcmdLine", "MGEDcmdLine = \"C:\\BRL\\mged\" -c a\\b");
  ASSERT_TRUE(set);
  EXPECT_EQ(set->MGEDcmdLine, "\"C:/BRL/mged\" -c a\\b");
  EXPECT_EQ(ReadAccepted("MGEDcmdLine", "MGEDcmdLine = bin\\mged -c a\\b").MGEDcmdLine, "bin/mged -c a\\b");
}

TEST(SpecialValues, WindowsLineEndsAreAccepted) {
  std::string text = WriteToText(FreshSets(2, 1));
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(crlf, host);
  EXPECT_TRUE(host.messages.empty());
  ASSERT_EQ(result.list.sets.size(), 2u);
  EXPECT_EQ(result.list.sets[1].name, "Set 2");
  EXPECT_EQ(result.list.sets[1], FreshSets(2).sets[1]);
}

}  // namespace
}  // namespace tessarin::settings
