#include <gtest/gtest.h>

#include "parameter_text.h"
#include "support/test_files.h"

namespace tessarin::settings {
namespace {

using testing::FreshSets;
using testing::LineOfSetName;
using testing::ReadText;
using testing::ReplaceLine;
using testing::WriteToText;

constexpr const char* kIncorrectFormat =
    "Warning: File \"test.tesprm\" has incorrect format. A default parameter set will be created.";

void ExpectOneDefaultSetAfterFormatWarning(const std::string& text) {
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(text, host);
  EXPECT_TRUE(result.defaultCreated);
  ASSERT_EQ(result.list.sets.size(), 1u);
  EXPECT_EQ(result.list.sets[0], DefaultParameterSet());
  EXPECT_EQ(result.list.current, 0);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, kIncorrectFormat);
  EXPECT_EQ(host.messages[0].icon, platform::MessageIcon::Error);
}

TEST(FormatErrors, HeaderOutOfRangeGivesOneDefaultSet) {
  const std::string text = WriteToText(FreshSets(3));
  for (const char* count : {"0", "10001"})
    ExpectOneDefaultSetAfterFormatWarning(ReplaceLine(text, "nParmSets", std::string("nParmSets = ") + count));
  for (const char* current : {"3", "-1"})
    ExpectOneDefaultSetAfterFormatWarning(ReplaceLine(text, "curParmSet", std::string("curParmSet = ") + current));
  ExpectOneDefaultSetAfterFormatWarning("");
}

TEST(FormatErrors, ErrorInTheFirstSetGivesOneDefaultSet) {
  ExpectOneDefaultSetAfterFormatWarning(ReplaceLine(WriteToText(FreshSets(2)), "viewSize", "viewSize = 1e-13"));
}

TEST(FormatErrors, ErrorInALaterSetKeepsTheSetsBeforeIt) {
  std::string text = WriteToText(FreshSets(4, 3));
  text = ReplaceLine(text, "portNum", "portNum = 10001", LineOfSetName(text, "Set 3"));
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(text, host);
  EXPECT_FALSE(result.defaultCreated);
  ASSERT_EQ(result.list.sets.size(), 2u);
  EXPECT_EQ(result.list.current, 1);  // the current set was lost: the last one kept
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text,
            "Warning: Error while reading parameter set No. 3 from file \"test.tesprm\" (incorrect file format).");
}

TEST(FormatErrors, CurrentSetBeforeTheErrorStaysCurrent) {
  std::string text = WriteToText(FreshSets(3, 0));
  text = ReplaceLine(text, "nRows", "nRows = 0", LineOfSetName(text, "Set 3"));
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(text, host);
  EXPECT_EQ(result.list.sets.size(), 2u);
  EXPECT_EQ(result.list.current, 0);
}

TEST(FormatErrors, IntegersMustEndAtTheirToken) {
  const std::string text = WriteToText(FreshSets(1));
  for (const char* line : {"portNum = 4abc", "portNum = 4.5", "portNum = 99999999999999999999", "portNum ="})
    ExpectOneDefaultSetAfterFormatWarning(ReplaceLine(text, "portNum", line));

  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(ReplaceLine(text, "portNum", "portNum = 4 abc"), host);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(result.list.sets[0].portNum, 4);
  result = ReadText(ReplaceLine(text, "portNum", "portNum=\t+4\tabc"), host);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(result.list.sets[0].portNum, 4);
}

TEST(FormatErrors, RealsMustBeFiniteAndInRange) {
  const std::string text = WriteToText(FreshSets(1));
  for (const char* value : {"nan", "inf", "-inf", "1e400", "15cm", "0x10", ""})
    ExpectOneDefaultSetAfterFormatWarning(ReplaceLine(text, "viewSize", std::string("viewSize = ") + value));
  ExpectOneDefaultSetAfterFormatWarning(ReplaceLine(text, "@3", "@3 = nan"));
  ExpectOneDefaultSetAfterFormatWarning(ReplaceLine(text, "elevation", "elevation = 90.5"));
  ExpectOneDefaultSetAfterFormatWarning(ReplaceLine(text, "viewCenter", "viewCenter = (1, 2)"));
}

TEST(FormatErrors, KeysAreComparedWithoutCaseButMustComeInOrder) {
  std::string text = ReplaceLine(WriteToText(FreshSets(1)), "nParmSets", "NPARMSETS = 1");
  text = ReplaceLine(text, "azimuth", "AZIMUTH=30");
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(text, host);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(result.list.sets[0].azimuth, 30);

  std::string swapped = WriteToText(FreshSets(1));
  const std::string inOrder = "azimuth = 25\nelevation = 15\n";
  ASSERT_NE(swapped.find(inOrder), std::string::npos);
  swapped.replace(swapped.find(inOrder), inOrder.size(), "elevation = 15\nazimuth = 25\n");
  ExpectOneDefaultSetAfterFormatWarning(swapped);
}

TEST(FormatErrors, OverlongLineLeavesItsRestAsTheNextLine) {
  const std::string text = WriteToText(FreshSets(1));
  // 99 characters with the line feed still fit a number line.
  std::string padded = "portNum = 7" + std::string(87, ' ');
  ASSERT_EQ(padded.size(), 98u);
  platform::ScriptedHost host;
  EXPECT_EQ(ReadText(ReplaceLine(text, "portNum", padded), host).list.sets[0].portNum, 7);
  EXPECT_TRUE(host.messages.empty());
  ExpectOneDefaultSetAfterFormatWarning(ReplaceLine(text, "portNum", padded + " "));
  ExpectOneDefaultSetAfterFormatWarning(ReplaceLine(text, "InputFN", "InputFN = " + std::string(100000, 'x')));
}

TEST(FormatErrors, TruncatedFileKeepsTheCompleteSets) {
  const std::string text = WriteToText(FreshSets(3));
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(text.substr(0, text.size() - 20), host);
  EXPECT_EQ(result.list.sets.size(), 2u);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].text.find("No. 3"), std::string::npos);
}

TEST(OpenFailure, ReportedOnlyWhenAsked) {
  tessarin::testing::TempDir folder;
  platform::ScriptedHost quiet;
  ParameterFileReadResult result = ReadParameterFile(folder.File("missing.tesprm"), false, quiet);
  EXPECT_FALSE(result.opened);
  EXPECT_TRUE(result.defaultCreated);
  EXPECT_EQ(result.list.sets.size(), 1u);
  EXPECT_TRUE(quiet.messages.empty());

  platform::ScriptedHost reporting;
  ReadParameterFile(folder.File("missing.tesprm"), true, reporting);
  ASSERT_EQ(reporting.messages.size(), 1u);
  EXPECT_EQ(reporting.messages[0].text, "File \"" + folder.File("missing.tesprm") + "\" could not be opened for reading.");
  EXPECT_EQ(reporting.messages[0].icon, platform::MessageIcon::Error);
}

TEST(OpenFailure, AFolderIsNotAParameterFile) {
  tessarin::testing::TempDir folder;
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadParameterFile(folder.path(), true, host);
  EXPECT_FALSE(result.opened);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].text.find("could not be opened for reading"), std::string::npos);
}

}  // namespace
}  // namespace tessarin::settings
