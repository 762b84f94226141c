#include <gtest/gtest.h>

#include <locale>
#include <sstream>

#include "parameter_text.h"
#include "settings/colors.h"
#include "support/test_files.h"

namespace tessarin::settings {
namespace {

using testing::ExamplePath;
using testing::FreshSets;
using testing::kStartup;
using testing::ReadText;
using testing::WriteToText;

const char* const kExamples[] = {"demo.tesprm", "legacy_gen1.tesprm", "legacy_gen2.tesprm", "legacy_gen3.tesprm"};

TEST(RoundTrip, EveryExampleSetComesBackFieldForField) {
  for (const char* example : kExamples) {
    SCOPED_TRACE(example);
    platform::ScriptedHost host;
    ParameterFileReadResult first = ReadParameterFile(ExamplePath(example), true, host);
    ASSERT_TRUE(host.messages.empty());
    ParameterFileReadResult second = ReadText(WriteToText(first.list), host);
    ASSERT_TRUE(host.messages.empty());
    EXPECT_EQ(second.list.current, first.list.current);
    ASSERT_EQ(second.list.sets.size(), first.list.sets.size());
    for (std::size_t i = 0; i < first.list.sets.size(); ++i) EXPECT_TRUE(second.list.sets[i] == first.list.sets[i]) << i;
  }
}

TEST(RoundTrip, TheDemoFileIsExactlyWhatTheWriterWrites) {
  const std::string text = tessarin::testing::ReadWholeFile(ExamplePath("demo.tesprm"));
  platform::ScriptedHost host;  // its button face is the demo's "None" beam colour
  ParameterFileReadResult result = ReadText(text, host);
  ASSERT_EQ(result.list.sets.size(), 3u);
  EXPECT_EQ(WriteToText(result.list), text);
}

TEST(RoundTrip, EditedValuesSurvive) {
  ParameterSetList list = FreshSets(2, 1);
  VIEWPARM& set = list.sets[1];
  set.cmdFolderOption = 3;
  set.cmdFolder = "/opt/runs/console/";
  set.suffix = "";
  set.OutputFileName = "out/custom.txt";
  set.logSuffix = "";
  set.LogFileName = "/var/log/sim.txt";
  set.useCustomTrackFN = 1;
  set.TrackFN = "tracks/t.txt";
  set.systemVariables = {0.1, -2.5, 1e-300, 3.141592653589793, 1e300, 0, 0, 0, 0, 123456789.0125};
  set.additionalArgs = "-a \"x y\"  ";  // leading blanks are not kept, trailing ones are
  set.viewCenter = {-1.5, 2.25e10, 3};
  set.cutawayPlaneNormal = {0, 0, -1};
  set.filter.historyNumStart = 4;
  set.filter.historyNumEnd = 2147483646;
  set.filter.genMax = 3;
  set.filter.originTypeMask = 2048 | 1;
  set.segments.segmentRelElossMax = 0.5;
  set.nVerticesTotalMax = -1;
  set.beamAxisColorRGB = MakeColor(1, 2, 3, false);
  set.rows = {PaletteRegionRow(0)};
  set.rows[0].name = " Lead shield";
  set.rows[0].show = 0;
  set.MGEDcmdLine = "\"/opt/brl cad/bin/mged\" -c";

  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(WriteToText(list), host);
  EXPECT_TRUE(host.messages.empty());
  ASSERT_EQ(result.list.sets.size(), 2u);
  EXPECT_EQ(result.list.current, 1);
  EXPECT_TRUE(result.list.sets[1] == set);
}

TEST(Writing, PathsUnderTheStartupDirectoryAreWrittenRelative) {
  ParameterSetList list = FreshSets(1);
  list.sets[0].InputFileFolder = std::string(kStartup) + "runs/";
  list.sets[0].ScriptFolder = "/elsewhere/scripts/";
  list.sets[0].MGEDcmdLine = "\"" + std::string(kStartup) + "bin/mged\" -c";
  const std::string text = WriteToText(list);
  EXPECT_NE(text.find("\nInputFileFolder = runs/\n"), std::string::npos);
  EXPECT_NE(text.find("\nScriptFolder = /elsewhere/scripts/\n"), std::string::npos);
  EXPECT_NE(text.find("\nMGEDcmdLine = \"bin/mged\" -c\n"), std::string::npos);
  list.sets[0].MGEDcmdLine = std::string(kStartup) + "bin/mged -c a\\b";
  EXPECT_NE(WriteToText(list).find("\nMGEDcmdLine = bin/mged -c a\\b\n"), std::string::npos);
  EXPECT_NE(text.find("\noriginTypeMask= 511\n"), std::string::npos);
}

TEST(Writing, ACurrentIndexOutsideTheListCannotSpoilTheFile) {
  ParameterSetList list = FreshSets(2, 5);
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(WriteToText(list), host);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(result.list.sets.size(), 2u);
  EXPECT_EQ(result.list.current, 1);
}

TEST(Writing, BeamAxisEqualToTheButtonFaceIsWrittenAsNone) {
  ParameterSetList list = FreshSets(1);
  list.sets[0].beamAxisColorRGB = MakeColor(240, 240, 240, false);
  std::ostringstream out;
  WriteParameterSetLines(out, list.sets[0], kStartup, platform::Rgb{240, 240, 240});
  EXPECT_NE(out.str().find("\nbeamAxisColorRGB = (-1, -1, -1)\n"), std::string::npos);
}

TEST(Writing, TextsThatWouldBreakTheFileAreMadeReadable) {
  ParameterSetList list = FreshSets(2);
  list.sets[0].name = "two\nlines " + std::string(300, 'n');
  list.sets[0].rows[0].name = std::string(80, 'r');
  list.sets[0].additionalArgs = "-a\r\n-b";
  list.sets[1].rows.clear();
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(WriteToText(list), host);
  EXPECT_TRUE(host.messages.empty());
  ASSERT_EQ(result.list.sets.size(), 2u);
  EXPECT_EQ(result.list.sets[0].name.size(), kMaxNameLength);
  EXPECT_EQ(result.list.sets[0].name.substr(0, 9), "two lines");
  EXPECT_EQ(result.list.sets[0].rows[0].name, std::string(50, 'r'));
  EXPECT_EQ(result.list.sets[0].additionalArgs, "-a  -b");
  ASSERT_EQ(result.list.sets[1].rows.size(), 1u);  // a set without rows would be unreadable
  EXPECT_EQ(result.list.sets[1].rows[0], PaletteRegionRow(0));
}

struct CommaDecimalWithGrouping : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(Writing, NumbersDoNotDependOnTheStreamLocale) {
  VIEWPARM set;
  set.viewSize = 12.5;
  set.systemVariables[0] = 0.25;
  std::ostringstream out;
  out.imbue(std::locale(std::locale::classic(), new CommaDecimalWithGrouping));
  WriteParameterSetLines(out, set, kStartup, platform::Rgb{240, 240, 240});
  EXPECT_NE(out.str().find("\nviewSize = 12.5\n"), std::string::npos);
  EXPECT_NE(out.str().find("\n@0 = 0.25\n"), std::string::npos);
  EXPECT_NE(out.str().find("\nnVerticesTotalMax = 1000000\n"), std::string::npos);
}

}  // namespace
}  // namespace tessarin::settings
