// A parameter file that could be read only in part is not saved over without
// asking: Save offers Save as first, so the sets that could not be read stay
// in the file until the user decides otherwise.

#include <gtest/gtest.h>

#include "support/test_files.h"
#include "ui/controller_fixture.h"

namespace tessarin::ui {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using tessarin::testing::ReadWholeFile;
using tessarin::testing::WriteWholeFile;
using testing::ControllerFixture;
using testing::StartWith;

// The demo file with the n-th "nThreads" line (1-based) replaced.
std::string DemoWithThreads(const std::string& demo, int occurrence, const std::string& value) {
  std::string text = ReadWholeFile(demo);
  std::size_t at = 0;
  for (int i = 0; i < occurrence; ++i) at = text.find("\nnThreads = ", at + 1);
  text.replace(at + 1, text.find('\n', at + 1) - at - 1, "nThreads = " + value);
  return text;
}

class ReadInPart : public ::testing::Test {
 protected:
  // Opens the demo file after breaking the nThreads line of set `set`.
  void OpenBroken(int set) {
    broken = DemoWithThreads(fixture.demoPath, set, "4000");
    WriteWholeFile(fixture.demoPath, broken);
    fixture.host.chosenFiles = {fixture.demoPath};
    controller.OpenParameterFile();
    fixture.host.messages.clear();
  }
  void ExpectFileUntouched() { EXPECT_EQ(ReadWholeFile(fixture.demoPath), broken); }
  void ExpectQuestionAsked() {
    ASSERT_FALSE(fixture.host.messages.empty());
    const platform::RecordedMessage& question = fixture.host.messages.back();
    EXPECT_EQ(question.text,
              "File \"" + fixture.demoPath +
                  "\" was read only in part: the parameter sets that could not be read would be lost if it were "
                  "saved over.\n\nDo you want to save under another name instead?\n"
                  "Yes: Save as.\nNo: save over the file.\nCancel: do not save.");
    EXPECT_EQ(question.icon, MessageIcon::Warning);
    EXPECT_EQ(question.buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(question.defaultAnswer, MessageAnswer::Yes);
  }

  ControllerFixture fixture{StartWith::DemoFile};
  Controller& controller = *fixture.controller;
  std::string broken;
};

TEST_F(ReadInPart, TheWarningNamesTheLineAndTheSetsBeforeItAreKept) {
  broken = DemoWithThreads(fixture.demoPath, 2, "4000");
  WriteWholeFile(fixture.demoPath, broken);
  fixture.host.chosenFiles = {fixture.demoPath};
  controller.OpenParameterFile();
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].text, "Warning: Error while reading parameter set No. 2 from file \"" +
                                               fixture.demoPath +
                                               "\" (incorrect file format).\n  at " +
                                               fixture.demoPath.substr(fixture.demoPath.rfind('/') + 1) +
                                               ":179: nThreads = 4000 is out of range");
  EXPECT_EQ(controller.Sets().size(), 1u);
  EXPECT_TRUE(controller.WasReadInPart());
}

TEST_F(ReadInPart, SaveOffersSaveAsAndCancelWritesNothing) {
  OpenBroken(2);
  controller.Commit(NumberField::ViewSize, "12");
  fixture.host.answers = {MessageAnswer::Cancel};
  EXPECT_FALSE(controller.Save());
  ExpectQuestionAsked();
  ExpectFileUntouched();
  EXPECT_TRUE(controller.IsModified());

  // The default answer saves under another name; the broken file stays.
  const std::string copy = fixture.folder.File("copy.tesprm");
  fixture.host.chosenFiles = {copy};
  EXPECT_TRUE(controller.Save());
  EXPECT_EQ(fixture.host.fileRequests.back().title, "Save the parameter file");
  ExpectFileUntouched();
  EXPECT_EQ(controller.ParameterFilePath(), copy);
  EXPECT_NE(ReadWholeFile(copy).find("viewSize = 12\n"), std::string::npos);
  EXPECT_FALSE(controller.WasReadInPart());
  EXPECT_FALSE(controller.IsModified());

  // The copy holds all the program has: saving over it asks nothing.
  fixture.host.messages.clear();
  controller.Commit(NumberField::ViewSize, "13");
  EXPECT_TRUE(controller.Save());
  EXPECT_TRUE(fixture.host.messages.empty());
}

TEST_F(ReadInPart, NoSavesOverTheFileAfterAll) {
  OpenBroken(2);
  fixture.host.answers = {MessageAnswer::No};
  EXPECT_TRUE(controller.Save());
  ExpectQuestionAsked();
  EXPECT_EQ(ReadWholeFile(fixture.demoPath).rfind("nParmSets = 1\n", 0), 0u);
  EXPECT_FALSE(controller.WasReadInPart());
}

TEST_F(ReadInPart, AMalformedFirstSetIsNotErasedByClosingWithSave) {
  OpenBroken(1);
  ASSERT_EQ(controller.Sets().size(), 1u);
  EXPECT_TRUE(controller.WasReadInPart());
  controller.Commit(NumberField::Twist, "10");
  // "Save the changes?" Yes, then "save under another name?" Cancel.
  fixture.host.answers = {MessageAnswer::Yes, MessageAnswer::Cancel};
  EXPECT_FALSE(controller.RequestClose());
  ExpectQuestionAsked();
  ExpectFileUntouched();
  EXPECT_TRUE(controller.IsModified());

  // Open asks the same before it discards the sets.
  fixture.host.answers = {MessageAnswer::Yes, MessageAnswer::Cancel};
  controller.OpenParameterFile();
  ExpectFileUntouched();
  EXPECT_EQ(controller.WorkingCopy().twist, 10);
}

TEST_F(ReadInPart, ReadingTheMendedFileAgainClearsTheMark) {
  OpenBroken(3);
  EXPECT_EQ(controller.Sets().size(), 2u);
  WriteWholeFile(fixture.demoPath, DemoWithThreads(fixture.demoPath, 3, "8"));
  controller.Commit(NumberField::Twist, "10");
  fixture.host.answers = {MessageAnswer::Yes};
  controller.ReloadParameterFile();
  EXPECT_EQ(controller.Sets().size(), 3u);
  EXPECT_FALSE(controller.WasReadInPart());
}

}  // namespace
}  // namespace tessarin::ui
