// END-TO-END TESTS OF "Make RT script" IN THE WINDOW'S CONTROLLER. They need
// the RT script writer and are built only once its definition is in
// src/render (see tests/CMakeLists.txt).

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/messages.h"
#include "platform/console.h"
#include "ui/controller_fixture.h"

namespace tessarin::ui {
namespace {

using platform::MessageAnswer;
using testing::ControllerFixture;
using testing::StartWith;
using tessarin::testing::ReadWholeFile;

struct DemoLoaded : ControllerFixture {
  DemoLoaded() : ControllerFixture(StartWith::DemoFile) {
    tessarin::testing::WriteWholeFile(folder.File("demo_lattice.inp"),
                                      ReadWholeFile(std::string(TESSARIN_SOURCE_DIR) + "/examples/demo_lattice.inp"));
    controller->ReloadInputFile();
  }
  std::string Script() const { return ReadWholeFile(controller->RtScriptPath()); }
};

// The script's "mater" line of a region.
std::string MaterLine(const std::string& script, const std::string& region) {
  std::size_t at = script.find("mater " + region + " ");
  if (at == std::string::npos) return {};
  return script.substr(at, script.find('\n', at) - at);
}

TEST(MakeRtScriptInTheWindow, WritesTheScriptAtTheDerivedPathWithTheRowsColours) {
  DemoLoaded fixture;
  Controller& controller = *fixture.controller;
  ASSERT_TRUE(controller.Model().loaded) << fixture.console.text;
  controller.MakeRtScript();
  ASSERT_TRUE(std::filesystem::exists(controller.RtScriptPath())) << controller.RtScriptPath();
  const settings::REGIONDATA& fuel = controller.WorkingCopy().rows[0];
  EXPECT_EQ(fuel.name, "M1 (fuel)");
  EXPECT_EQ(MaterLine(fixture.Script(), "M1"), "mater M1 \"plastic {tr 0.3 re 0}\" " + std::to_string(fuel.color.red) +
                                                   " " + std::to_string(fuel.color.green) + " " +
                                                   std::to_string(fuel.color.blue) + " 0");
}

TEST(MakeRtScriptInTheWindow, ThePreferredFormIsWrittenAndNamed) {
  DemoLoaded fixture;
  Controller& controller = *fixture.controller;
  controller.SetOverwritePrompt(false);
  controller.MakeRtScript();
  EXPECT_NE(fixture.Script().find("\ncomb "), std::string::npos);  // a small model: readable
  EXPECT_EQ(controller.ScriptFormNote().rfind("RT script written in the readable form (", 0), 0u)
      << controller.ScriptFormNote();

  controller.SetScriptFormPreference(render::ScriptForm::Fast);
  EXPECT_EQ(fixture.shell.scriptForm, render::ScriptForm::Fast);
  controller.MakeRtScript();
  EXPECT_EQ(fixture.Script().find("\ncomb "), std::string::npos);
  EXPECT_NE(fixture.Script().find("{put $name $type {*}$values}"), std::string::npos);
  EXPECT_EQ(controller.ScriptFormNote().rfind("RT script written in the fast form (", 0), 0u)
      << controller.ScriptFormNote();
}

TEST(MakeRtScriptInTheWindow, EditingAColourChangesTheMaterLine) {
  DemoLoaded fixture;
  Controller& controller = *fixture.controller;
  controller.SetOverwritePrompt(false);
  controller.CommitMaterial(1, MaterialColumn::Red, "12");
  controller.CommitMaterial(1, MaterialColumn::Transparency, "0.75");
  controller.MakeRtScript();
  const settings::REGIONDATA& water = controller.WorkingCopy().rows[1];
  EXPECT_EQ(MaterLine(fixture.Script(), "M2"), "mater M2 \"plastic {tr 0.75 re 0}\" 12 " +
                                                   std::to_string(water.color.green) + " " +
                                                   std::to_string(water.color.blue) + " 0");
  controller.SetMaterialShown(1, false);
  controller.MakeRtScript();
  std::string script = fixture.Script();
  std::string draw = script.substr(script.find("\ndraw") + 1);
  draw = draw.substr(0, draw.find('\n'));
  EXPECT_EQ(draw.find(" M2"), std::string::npos) << draw;
  EXPECT_NE(draw.find(" M1"), std::string::npos) << draw;
}

TEST(MakeRtScriptInTheWindow, AsksBeforeOverwritingAndKeepsTheFileOnNo) {
  DemoLoaded fixture;
  Controller& controller = *fixture.controller;
  tessarin::testing::WriteWholeFile(controller.RtScriptPath(), "old");
  fixture.host.answers.push_back(MessageAnswer::No);
  controller.MakeRtScript();
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].text,
            "File \"" + controller.RtScriptPath() + "\" already exists. Do you want to overwrite it?");
  EXPECT_EQ(fixture.host.messages[0].icon, platform::MessageIcon::Warning);
  EXPECT_EQ(fixture.Script(), "old");
  fixture.host.answers.push_back(MessageAnswer::Yes);
  controller.MakeRtScript();
  EXPECT_NE(fixture.Script(), "old");
}

// A script name that is a symbolic link: the overwrite question says so,
// Yes replaces the link, and without the prompt the window refuses.
TEST(MakeRtScriptInTheWindow, AScriptNameThatIsALinkIsReplacedOnlyOnYesAndNeverItsTarget) {
  DemoLoaded fixture;
  Controller& controller = *fixture.controller;
  const std::string target = fixture.folder.File("bashrc"), script = controller.RtScriptPath();
  tessarin::testing::WriteWholeFile(target, "# the user's own file\n");
  std::filesystem::create_symlink(target, script);

  controller.SetOverwritePrompt(false);
  controller.MakeRtScript();
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].text, "File \"" + script + "\" could not be opened for writing: it is a symbolic "
                                           "link to \"" + target + "\", and no output is written through a link.");
  EXPECT_EQ(fixture.host.messages[0].icon, platform::MessageIcon::Error);

  controller.SetOverwritePrompt(true);
  for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
    fixture.host.messages.clear();
    fixture.host.answers.push_back(answer);
    controller.MakeRtScript();
    ASSERT_FALSE(fixture.host.messages.empty());
    EXPECT_EQ(fixture.host.messages[0].text, "File \"" + script + "\" is a symbolic link to \"" + target +
                                                 "\". Do you want to replace the link with the new file? The file it "
                                                 "points to is left as it is.");
    EXPECT_EQ(std::filesystem::is_symlink(script), answer == MessageAnswer::No);
  }
  EXPECT_EQ(ReadWholeFile(target), "# the user's own file\n");
  EXPECT_NE(fixture.Script().find("opendb "), std::string::npos);
}

TEST(MakeRtScriptInTheWindow, CopyToClipboardPlacesTheWholeScriptByteForByte) {
  DemoLoaded fixture;
  Controller& controller = *fixture.controller;
  controller.SetOverwritePrompt(false);
  controller.MakeRtScript();
  EXPECT_EQ(fixture.clipboard.copies, 0);
  controller.SetState(CheckField::CopyToClipboard, 1);
  controller.MakeRtScript();
  EXPECT_EQ(fixture.clipboard.copies, 1);
  EXPECT_EQ(fixture.clipboard.text, fixture.Script());
}

TEST(MakeRtScriptInTheWindow, EscThenQStopsAUserProgramInsideALongBuiltInCall) {
  // SkipLines over a terabyte (a sparse file) would take hours.
  ControllerFixture fixture;
  tessarin::testing::WriteWholeFile(fixture.folder.File("lines.txt"), "");
  std::filesystem::resize_file(fixture.folder.File("lines.txt"), std::uintmax_t{1} << 40);
  tessarin::testing::WriteWholeFile(fixture.folder.File("skip.inp"),
                                    "PROGRAM p\n  FopenR(\"lines.txt\")\n  n = SkipLines(1e18)\nEND PROGRAM\n"
                                    "S1 S 0 0 0 5\nC1 0 -1\n");
  Controller& controller = *fixture.controller;
  controller.EditWorkingCopy().checkSyntax_Tessarin = 1;
  controller.EditWorkingCopy().InputFileFolder = fixture.folder.path();
  controller.EditWorkingCopy().InputFN = "skip.inp";
  fixture.console.keys = {{platform::kKeyEscape, 200}, {'Q', 400}};
  controller.MakeRtScript();
  EXPECT_NE(fixture.console.text.find(engine::MessageText(engine::Msg::kEscapeAndQ)), std::string::npos);
  EXPECT_NE(fixture.console.text.find(engine::MessageText(engine::Msg::kInterrupted)), std::string::npos);
  EXPECT_FALSE(controller.Model().loaded);
  EXPECT_FALSE(std::filesystem::exists(controller.RtScriptPath()));
}

TEST(MakeRtScriptInTheWindow, TheCellsThatContainNoPointAreTold) {
  DemoLoaded fixture;
  Controller& controller = *fixture.controller;
  controller.SetOverwritePrompt(false);
  tessarin::testing::WriteWholeFile(fixture.folder.File("demo_lattice.inp"),
                                    "COMPLEX_GEOMETRY 1\nM1 \"a\"\nS1 P 1 0 0 0\nS2 P 1 0 0 5\nS3 S 0 0 0 10\n"
                                    "C1 1 1 -1 2 -3\nC2 1 1 1 -2 -3\nC4 0 -3 #1 #2\nC5 1 1 -1 1\nC6 0 3\n");
  controller.MakeRtScript();
  // After the demo set's missing track data.
  ASSERT_FALSE(fixture.host.messages.empty()) << fixture.console.text;
  EXPECT_EQ(fixture.host.messages.back().text, "Warning: cell 1 contains no point.\nWarning: cell 5 contains no point.");
  EXPECT_EQ(fixture.host.messages.back().icon, platform::MessageIcon::Warning);
  EXPECT_TRUE(std::filesystem::exists(controller.RtScriptPath()));
}

}  // namespace
}  // namespace tessarin::ui
