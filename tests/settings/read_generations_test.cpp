#include <gtest/gtest.h>

#include "parameter_text.h"
#include "settings/colors.h"

namespace tessarin::settings {
namespace {

using testing::ExamplePath;
using testing::FreshSets;
using testing::LineOfSetName;
using testing::ReadText;
using testing::RemoveLine;
using testing::WriteToText;

// The two sets of an example file, which must read without a message.
ParameterSetList ReadExample(std::string_view name) {
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadParameterFile(ExamplePath(name), true, host);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(result.list.sets.size(), 2u);
  if (result.list.sets.size() != 2u) result.list.sets.resize(2);
  return result.list;
}

void ExpectGenerationFourDefaults(const VIEWPARM& set) {
  EXPECT_EQ(set.createLog, 2);
  EXPECT_EQ(set.logSuffix, "_log");
  EXPECT_EQ(set.checkSyntax_Varnholt, 2);
  EXPECT_EQ(set.quitAfterChecking, 0);
  EXPECT_EQ(set.checkSyntax_Tessarin, 1);
  EXPECT_EQ(set.MCNP_style_cmdLine, 0);
  for (double value : set.systemVariables) EXPECT_EQ(value, 0);
}

TEST(ReadGenerations, ThirdGenerationFileTakesTheLogAndCheckDefaults) {
  const ParameterSetList list = ReadExample("legacy_gen3.tesprm");
  EXPECT_EQ(list.current, 1);
  EXPECT_EQ(list.sets[0].nIterations, 30);
  EXPECT_EQ(list.sets[1].nThreads, 4);
  EXPECT_EQ(list.sets[1].suffix, "_r%d");
  for (const VIEWPARM& set : list.sets) ExpectGenerationFourDefaults(set);
}

TEST(ReadGenerations, SecondGenerationFileTakesTheIterationDefault) {
  const VIEWPARM second = ReadExample("legacy_gen2.tesprm").sets[1];
  EXPECT_EQ(second.nIterations, 20);
  EXPECT_EQ(second.filter.historyNumStart, 4);  // 5 in the file
  EXPECT_EQ(second.filter.genMax, 2);
  ExpectGenerationFourDefaults(second);
}

TEST(ReadGenerations, FirstGenerationFileKeepsTheFilterBlockAndReadsOneTrackColour) {
  const VIEWPARM set = ReadExample("legacy_gen1.tesprm").sets[1];
  EXPECT_EQ(set.name, "My runs (generation 1)");
  EXPECT_EQ(set.InputFileFolder, "my runs/");  // written with a backslash
  EXPECT_EQ(set.filter, TrackFilter{});
  EXPECT_EQ(set.extendEscapeTracks, 1);
  EXPECT_EQ(set.trackColorRGB[0], MakeColor(255, 255, 255, false));
  for (int type = 1; type < kTrackTypeCount; ++type)
    EXPECT_EQ(set.trackColorRGB[static_cast<std::size_t>(type)], kDefaultTrackColors[static_cast<std::size_t>(type)]);
  ExpectGenerationFourDefaults(set);
}

TEST(ReadGenerations, LaterSetMustNotLackKeysOfAGenerationAlreadySeen) {
  std::string text = WriteToText(FreshSets(2));
  text = RemoveLine(text, "createLog", LineOfSetName(text, "Set 2"));
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(text, host);
  ASSERT_EQ(result.list.sets.size(), 1u);
  EXPECT_EQ(result.list.sets[0].name, "Set 1");
  ASSERT_EQ(host.messages.size(), 1u);
  // 1-based: the tenth line of the set (ENDFfolder) is followed by logSuffix.
  const std::string line = std::to_string(LineOfSetName(text, "Set 2") + 11);
  EXPECT_EQ(host.messages[0].text,
            "Warning: Error while reading parameter set No. 2 from file \"test.tesprm\" (incorrect file format).\n"
            "  at test.tesprm:" + line + ": createLog was expected, not \"logSuffix = _log\"");
  EXPECT_EQ(host.messages[0].icon, platform::MessageIcon::Error);
}

TEST(ReadGenerations, WithoutTheLogKeysTheLineAfterEndfFolderMustBeAdditionalArgs) {
  ParameterSetList list = FreshSets(1);
  list.sets[0].additionalArgs = std::string(200, 'a');  // longer than any number line
  std::string text = WriteToText(list);
  for (const char* key : {"createLog", "logSuffix", "checkSyntax_Varnholt", "quitAfterChecking",
                          "checkSyntax_Tessarin", "MCNP_style_cmdLine", "@0", "@1", "@2", "@3", "@4", "@5", "@6",
                          "@7", "@8", "@9"})
    text = RemoveLine(text, key);
  platform::ScriptedHost host;
  ParameterFileReadResult result = ReadText(text, host);
  EXPECT_TRUE(host.messages.empty());
  ASSERT_EQ(result.list.sets.size(), 1u);
  EXPECT_EQ(result.list.sets[0].additionalArgs, std::string(200, 'a'));

  platform::ScriptedHost strayHost;
  EXPECT_TRUE(ReadText(testing::ReplaceLine(text, "additionalArgs", "quitAfterChecking = 0"), strayHost).readInPart);
  ASSERT_EQ(strayHost.messages.size(), 1u);
  EXPECT_NE(strayHost.messages[0].text.find("has incorrect format"), std::string::npos);
}

}  // namespace
}  // namespace tessarin::settings
