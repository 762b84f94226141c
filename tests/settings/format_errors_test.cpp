#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

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

// The 1-based number of the first line that begins with `start`.
int LineNumberOf(const std::string& text, const std::string& start) {
  const std::size_t at = text.find("\n" + start);
  EXPECT_NE(at, std::string::npos) << start;
  return static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at) + 1, '\n')) + 1;
}

// The warning and, on a second line, where the reading stopped; `detail`
// empty checks only that there is such a line.
void ExpectOneDefaultSetAfterFormatWarning(const std::string& text, const std::string& detail = {}) {
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(text, host);
  EXPECT_TRUE(result.defaultCreated);
  EXPECT_TRUE(result.readInPart);
  ASSERT_EQ(result.list.sets.size(), 1u);
  EXPECT_EQ(result.list.sets[0], DefaultParameterSet());
  EXPECT_EQ(result.list.current, 0);
  ASSERT_EQ(host.messages.size(), 1u);
  const std::string& shown = host.messages[0].text;
  EXPECT_EQ(shown.substr(0, shown.find('\n')), kIncorrectFormat);
  EXPECT_EQ(shown.substr(std::min(shown.size(), shown.find('\n') + 1)), result.failureDetail);
  EXPECT_FALSE(result.failureDetail.empty());
  if (!detail.empty()) {
    EXPECT_EQ(result.failureDetail, detail);
  }
  EXPECT_EQ(host.messages[0].icon, platform::MessageIcon::Error);
}

TEST(FormatErrors, HeaderOutOfRangeGivesOneDefaultSet) {
  const std::string text = WriteToText(FreshSets(3));
  for (const char* count : {"0", "10001"})
    ExpectOneDefaultSetAfterFormatWarning(ReplaceLine(text, "nParmSets", std::string("nParmSets = ") + count),
                                          std::string("  at test.tesprm:1: nParmSets = ") + count + " is out of range");
  for (const char* current : {"3", "-1"})
    ExpectOneDefaultSetAfterFormatWarning(ReplaceLine(text, "curParmSet", std::string("curParmSet = ") + current),
                                          std::string("  at test.tesprm:2: curParmSet = ") + current + " is out of range");
  ExpectOneDefaultSetAfterFormatWarning("", "  at test.tesprm:1: the file ends where nParmSets was expected");
}

TEST(FormatErrors, ErrorInTheFirstSetGivesOneDefaultSet) {
  const std::string text = ReplaceLine(WriteToText(FreshSets(2)), "viewSize", "viewSize = 1e-13  ");
  ExpectOneDefaultSetAfterFormatWarning(
      text, "  at test.tesprm:" + std::to_string(LineNumberOf(text, "viewSize")) + ": viewSize = 1e-13 is out of range");
}

TEST(FormatErrors, SecondLineNamesTheLineKeyAndValueThatFailed) {
  const std::string text = WriteToText(FreshSets(1));
  const std::string port = "  at test.tesprm:" + std::to_string(LineNumberOf(text, "portNum")) + ": ";
  ExpectOneDefaultSetAfterFormatWarning(ReplaceLine(text, "portNum", "portNum = 4abc"),
                                        port + "portNum = 4abc is not a valid value");
  ExpectOneDefaultSetAfterFormatWarning(ReplaceLine(text, "portNum", "PORTNUM=\t0"),
                                        port + "portNum = 0 is out of range");
  ExpectOneDefaultSetAfterFormatWarning(ReplaceLine(text, "portNum", "port = 4"),
                                        port + "portNum was expected, not \"port = 4\"");
  ExpectOneDefaultSetAfterFormatWarning(
      ReplaceLine(text, "cutawayPlaneNormal", "cutawayPlaneNormal = (0, 0, 0)"),
      "  at test.tesprm:" + std::to_string(LineNumberOf(text, "cutawayPlaneNormal")) +
          ": cutawayPlaneNormal = (0, 0, 0) is not a valid value");
  ExpectOneDefaultSetAfterFormatWarning(
      ReplaceLine(text, "beamAxisColorRGB", "beamAxisColorRGB = (-1, 0, 0)"),
      "  at test.tesprm:" + std::to_string(LineNumberOf(text, "beamAxisColorRGB")) +
          ": beamAxisColorRGB = (-1, 0, 0) is not a valid value");

  // Carriage returns do not disturb the count, and a cut line's rest keeps
  // the number of the line it came from.
  std::string crlf;
  for (char c : ReplaceLine(text, "portNum", "portNum = 7" + std::string(100, ' ') + "x")) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  const int nextLine = LineNumberOf(text, "portNum") + 1;
  ExpectOneDefaultSetAfterFormatWarning(crlf, port + "nIterations was expected, not \"" + std::string(12, ' ') + "x\"");
  EXPECT_EQ(nextLine, LineNumberOf(text, "nIterations"));
}

TEST(FormatErrors, ErrorInALaterSetKeepsTheSetsBeforeIt) {
  std::string text = WriteToText(FreshSets(4, 3));
  text = ReplaceLine(text, "portNum", "portNum = 10001", LineOfSetName(text, "Set 3"));
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(text, host);
  EXPECT_FALSE(result.defaultCreated);
  ASSERT_EQ(result.list.sets.size(), 2u);
  EXPECT_EQ(result.list.current, 1);  // the current set was lost: the last one kept
  EXPECT_TRUE(result.readInPart);
  const std::string detail =
      "  at test.tesprm:" + std::to_string(LineNumberOf(text, "portNum = 10001")) + ": portNum = 10001 is out of range";
  EXPECT_EQ(result.failureDetail, detail);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text,
            "Warning: Error while reading parameter set No. 3 from file \"test.tesprm\" (incorrect file format).\n" +
                detail);
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
  EXPECT_NE(host.messages[0].text.find("\n  at test.tesprm:"), std::string::npos);

  platform::ScriptedHost shortHost;
  result = ReadText(ReplaceLine(text, "nParmSets", "nParmSets = 4"), shortHost);
  EXPECT_EQ(result.list.sets.size(), 3u);
  EXPECT_TRUE(result.readInPart);
  EXPECT_EQ(result.failureDetail,
            "  at test.tesprm:" + std::to_string(std::count(text.begin(), text.end(), '\n') + 1) +
                ": the file ends where a name was expected");
}

TEST(FormatErrors, ACompleteFileIsNotReadInPart) {
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(WriteToText(FreshSets(3)), host);
  EXPECT_FALSE(result.readInPart);
  EXPECT_TRUE(result.failureDetail.empty());
  EXPECT_TRUE(host.messages.empty());
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
  EXPECT_TRUE(ReadParameterFile(folder.File("missing.tesprm"), true, reporting).defaultCreated);
  ASSERT_EQ(reporting.messages.size(), 1u);
  EXPECT_EQ(reporting.messages[0].text, "File \"" + folder.File("missing.tesprm") + "\" could not be opened for reading.");
  EXPECT_EQ(reporting.messages[0].icon, platform::MessageIcon::Error);
}

// Whatever cannot be read as a file gets the same message at once: a named
// pipe without a writer must not block the open.
TEST(OpenFailure, PathsThatAreNoReadableFile) {
  tessarin::testing::TempDir folder;
  ASSERT_EQ(::mkfifo(folder.File("pipe").c_str(), 0600), 0);
  ASSERT_EQ(::symlink(folder.File("nowhere").c_str(), folder.File("dangling").c_str()), 0);
  tessarin::testing::WriteWholeFile(folder.File("locked"), WriteToText(FreshSets(1)));
  ::chmod(folder.File("locked").c_str(), 0);
  std::vector<std::string> paths{folder.path(), folder.File("pipe"), folder.File("dangling")};
  if (::geteuid() != 0) paths.push_back(folder.File("locked"));  // root reads it anyway
  for (const std::string& path : paths) {
    platform::ScriptedHost host;
    ParameterFileReadResult result = ReadParameterFile(path, true, host);
    EXPECT_FALSE(result.opened) << path;
    EXPECT_TRUE(result.defaultCreated) << path;
    ASSERT_EQ(host.messages.size(), 1u) << path;
    EXPECT_EQ(host.messages[0].text, "File \"" + path + "\" could not be opened for reading.");
    // Something is there, and saving over it would lose it.
    EXPECT_EQ(result.readInPart, path != folder.File("dangling")) << path;
  }
  platform::ScriptedHost host;
  EXPECT_FALSE(ReadParameterFile(folder.File("missing.tesprm"), true, host).readInPart);
}

}  // namespace
}  // namespace tessarin::settings
