#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

#include "settings/parameter_file.h"
#include "support/test_files.h"
#include "ui/controller_fixture.h"
#include "ui/default_parameter_file.h"

namespace tessarin::ui {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using testing::ControllerFixture;
using testing::StartWith;
using tessarin::testing::ReadWholeFile;

TEST(StartUp, MissingDefaultFileGivesOneDefaultSetSilently) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  EXPECT_TRUE(fixture.host.messages.empty());
  EXPECT_EQ(controller.Sets().size(), 1u);
  EXPECT_EQ(controller.WindowTitle(), "Tessarin [" + fixture.folder.File("Tessarin.tesprm") + "]");
  EXPECT_FALSE(controller.IsModified());
  EXPECT_TRUE(fixture.shell.recent.empty());
}

TEST(StartUp, DefaultFileGoesToTheConfigurationFolderWhenTheProgramFolderIsNotWritable) {
  tessarin::testing::TempDir folder;
  std::string config = folder.File("config");
  const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
  std::string saved = oldConfig ? oldConfig : "";
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  // A folder that writes (the test's own) keeps the file beside the program.
  EXPECT_EQ(DefaultParameterFilePath(folder.path()), folder.File("Tessarin.tesprm"));
  // One that cannot be written to (here: one that is not there at all).
  std::string elsewhere = DefaultParameterFilePath(folder.File("missing/"));
  if (oldConfig)
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(elsewhere, config + "/Tessarin/Tessarin.tesprm");
  EXPECT_TRUE(std::filesystem::is_directory(config + "/Tessarin"));
}

TEST(StartUp, ParameterFileFromTheCommandLineIsReadAndRemembered) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  EXPECT_EQ(controller.Sets().size(), 3u);
  EXPECT_EQ(controller.WorkingCopy().name, "Demo lattice");
  EXPECT_EQ(controller.WindowTitle(), "Tessarin [" + fixture.demoPath + "]");
  EXPECT_EQ(fixture.shell.recent, std::vector<std::string>{fixture.demoPath});
  EXPECT_EQ(controller.Text(TextField::OutputFile), "demo_lattice_out.txt");
  EXPECT_TRUE(controller.IsDeleteEnabled());
}

TEST(FileMenu, ReloadIsOfferedOnlyWhileModifiedAndTheFileIsThere) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  EXPECT_FALSE(controller.IsReloadAvailable());
  controller.Commit(NumberField::ViewSize, "12");
  EXPECT_TRUE(controller.IsReloadAvailable());

  fixture.host.answers = {MessageAnswer::No};
  controller.ReloadParameterFile();
  EXPECT_EQ(fixture.host.messages.back().text, "Do you want to discard all unsaved changes?");
  EXPECT_EQ(fixture.host.messages.back().icon, MessageIcon::Question);
  EXPECT_EQ(fixture.host.messages.back().defaultAnswer, MessageAnswer::No);
  EXPECT_EQ(controller.WorkingCopy().viewSize, 12);

  fixture.host.answers = {MessageAnswer::Yes};
  controller.ReloadParameterFile();
  EXPECT_EQ(controller.WorkingCopy().viewSize, 40);
  EXPECT_FALSE(controller.IsModified());
  EXPECT_FALSE(controller.IsReloadAvailable());

  controller.Commit(NumberField::ViewSize, "12");
  std::remove(fixture.demoPath.c_str());
  EXPECT_FALSE(controller.IsReloadAvailable());
}

TEST(FileMenu, ReloadIsNotOfferedWithoutAParameterFile) {
  ControllerFixture fixture;
  fixture.controller->Commit(NumberField::ViewSize, "12");
  EXPECT_FALSE(fixture.controller->IsReloadAvailable());
}

TEST(FileMenu, SaveWritesWhatWasTypedAndClearsTheModifiedFlag) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  controller.Commit(NumberField::ViewSize, "12.5");
  controller.Commit(TextField::RtSuffix, "_view%d");
  controller.Commit(VectorField::CutawayPlaneNormal, 0, "1");
  ASSERT_TRUE(controller.Save());
  EXPECT_FALSE(controller.IsModified());
  std::string written = ReadWholeFile(fixture.demoPath);
  EXPECT_NE(written.find("viewSize = 12.5\n"), std::string::npos);
  EXPECT_NE(written.find("MGEDsuffix = _view%d\n"), std::string::npos);
  EXPECT_NE(written.find("cutawayPlaneNormal = (1, 0, 1)\n"), std::string::npos);
}

// A parameter file whose name is a symbolic link: the file it points to is
// never written; the link itself gives way to the saved file on Yes.
TEST(FileMenu, SavingOntoALinkAsksAndNeverWritesItsTarget) {
  for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
    ControllerFixture fixture(StartWith::DemoFile);
    const std::string target = fixture.folder.File("bashrc"), link = fixture.folder.File("linked.tesprm");
    tessarin::testing::WriteWholeFile(target, "# the user's own file\n");
    std::filesystem::create_symlink(target, link);
    fixture.host.chosenFiles.push_back(link);
    fixture.host.answers.push_back(answer);
    EXPECT_EQ(fixture.controller->SaveAs(), answer == MessageAnswer::Yes);
    ASSERT_FALSE(fixture.host.messages.empty());
    EXPECT_EQ(fixture.host.messages[0].text, "File \"" + link + "\" is a symbolic link to \"" + target +
                                                 "\". Do you want to replace the link with the saved file? The file "
                                                 "it points to is left as it is.");
    EXPECT_EQ(ReadWholeFile(target), "# the user's own file\n");
    EXPECT_EQ(std::filesystem::is_symlink(link), answer == MessageAnswer::No);
    if (answer == MessageAnswer::Yes) {
      EXPECT_NE(ReadWholeFile(link).find("nParmSets = "), std::string::npos);
    }
  }
}

// Another window or an editor changed the file since it was read or saved:
// Save asks first, and each answer keeps what the user wants.
TEST(FileMenu, SavingOverAFileChangedElsewhereAsksFirst) {
  struct Case {
    MessageAnswer answer;
    bool saved;          // the window's sets are on disk
    bool editorKept;     // the editor's text is still on disk
    bool reloaded;       // the window shows the editor's sets
  };
  for (const Case& c : {Case{MessageAnswer::Overwrite, true, false, false}, Case{MessageAnswer::Reload, false, true, true},
                        Case{MessageAnswer::SaveAs, false, true, false}, Case{MessageAnswer::Cancel, false, true, false}}) {
    SCOPED_TRACE(static_cast<int>(c.answer));
    ControllerFixture fixture(StartWith::DemoFile);
    Controller& controller = *fixture.controller;
    controller.Commit(NumberField::ViewSize, "12.5");
    std::string edited = ReadWholeFile(fixture.demoPath);
    edited.replace(edited.find("viewSize = 40\n"), 14, "viewSize = 77\n");
    tessarin::testing::WriteWholeFile(fixture.demoPath, edited);
    fixture.host.answers.push_back(c.answer);
    fixture.host.chosenFiles.push_back(fixture.folder.File("other.tesprm"));
    EXPECT_EQ(controller.Save(), c.answer != MessageAnswer::Cancel);
    ASSERT_EQ(fixture.host.messages.size(), 1u);
    EXPECT_EQ(fixture.host.messages[0].buttons, MessageButtons::OverwriteReloadSaveAs);
    EXPECT_EQ(fixture.host.messages[0].defaultAnswer, MessageAnswer::SaveAs);
    EXPECT_NE(fixture.host.messages[0].text.find(fixture.demoPath), std::string::npos);
    const std::string onDisk = ReadWholeFile(fixture.demoPath);
    EXPECT_EQ(onDisk.find("viewSize = 12.5\n") != std::string::npos, c.saved);
    EXPECT_EQ(onDisk == edited, c.editorKept);
    EXPECT_EQ(controller.WorkingCopy().viewSize == 77, c.reloaded);
    if (c.answer == MessageAnswer::SaveAs) {
      EXPECT_NE(ReadWholeFile(fixture.folder.File("other.tesprm")).find("viewSize = 12.5\n"), std::string::npos);
    }
  }
}

// Saving twice from one window, or a file saved again unchanged by others,
// asks nothing.
TEST(FileMenu, SavingAgainOrOverAnUnchangedFileAsksNothing) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  controller.Commit(NumberField::ViewSize, "12.5");
  ASSERT_TRUE(controller.Save());
  tessarin::testing::WriteWholeFile(fixture.demoPath, ReadWholeFile(fixture.demoPath));  // a new time only
  controller.Commit(NumberField::ViewSize, "13");
  ASSERT_TRUE(controller.Save());
  EXPECT_TRUE(fixture.host.messages.empty());
}

TEST(FileMenu, SaveAsAndOpenRoundTripTheDemoFile) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  std::vector<settings::VIEWPARM> original = controller.Sets();
  std::string copy = fixture.folder.File("copy.tesprm");
  fixture.host.chosenFiles = {std::string(), copy};  // an empty name asks again
  ASSERT_TRUE(controller.SaveAs());
  ASSERT_EQ(fixture.host.fileRequests.size(), 2u);
  EXPECT_EQ(fixture.host.fileRequests[0].title, "Save the parameter file");
  EXPECT_EQ(fixture.host.fileRequests[0].filter, "Tessarin files (*.tesprm)|*.tesprm|All files (*.*)|*.*||");
  EXPECT_TRUE(fixture.host.fileRequests[0].promptOverwrite);
  EXPECT_EQ(controller.WindowTitle(), "Tessarin [" + copy + "]");
  EXPECT_EQ(ReadWholeFile(copy), ReadWholeFile(fixture.demoPath));

  fixture.host.chosenFiles = {copy};
  controller.OpenParameterFile();
  EXPECT_EQ(fixture.host.fileRequests.back().title, "Open a parameter file");
  EXPECT_EQ(fixture.host.fileRequests.back().initialPath, copy);
  EXPECT_EQ(controller.Sets(), original);
  EXPECT_EQ(controller.ParameterFilePath(), copy);
}

TEST(FileMenu, OpeningAMalformedFileShowsTheDefaultSetNotThePreviousOne) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  std::string broken = fixture.folder.File("broken.tesprm");
  tessarin::testing::WriteWholeFile(broken, "nParmSets = 0\n");
  fixture.host.chosenFiles = {broken};
  controller.OpenParameterFile();
  ASSERT_EQ(controller.Sets().size(), 1u);
  EXPECT_EQ(fixture.host.messages.back().icon, MessageIcon::Error);
  EXPECT_EQ(controller.WorkingCopy().name, "");
  EXPECT_EQ(controller.WorkingCopy().viewSize, 15);
  EXPECT_EQ(controller.WindowTitle(), "Tessarin [" + broken + "]");
}

TEST(FileMenu, FailedSaveAsKeepsTheOldPath) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  fixture.host.chosenFiles = {fixture.folder.File("missing/folder/x.tesprm")};
  EXPECT_FALSE(controller.SaveAs());
  EXPECT_EQ(controller.ParameterFilePath(), fixture.demoPath);
  EXPECT_EQ(controller.WindowTitle(), "Tessarin [" + fixture.demoPath + "]");
  EXPECT_EQ(fixture.host.messages.back().icon, MessageIcon::Error);
}

TEST(FileMenu, OpenAsksToSaveFirstAndStopsOnCancel) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  controller.Commit(NumberField::Twist, "10");
  fixture.host.answers = {MessageAnswer::Cancel};
  controller.OpenParameterFile();
  EXPECT_EQ(fixture.host.messages.back().text, "Do you want to save the changes?");
  EXPECT_EQ(fixture.host.messages.back().icon, MessageIcon::Question);
  EXPECT_TRUE(fixture.host.fileRequests.empty());
  EXPECT_EQ(controller.WorkingCopy().twist, 10);
}

TEST(Closing, AnsweringYesWhenTheFileCannotBeWrittenKeepsTheWindowOpen) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  controller.Commit(NumberField::Twist, "10");
  // A folder in place of the file: it cannot be opened for writing.
  std::remove(fixture.demoPath.c_str());
  ASSERT_EQ(::mkdir(fixture.demoPath.c_str(), 0755), 0);
  fixture.host.answers = {MessageAnswer::Yes};
  EXPECT_FALSE(controller.RequestClose());
  EXPECT_TRUE(controller.IsModified());
  ::rmdir(fixture.demoPath.c_str());

  fixture.host.answers = {MessageAnswer::No};
  EXPECT_TRUE(controller.RequestClose());
}

TEST(Closing, WithoutChangesClosesWithoutAsking) {
  ControllerFixture fixture(StartWith::DemoFile);
  EXPECT_TRUE(fixture.controller->RequestClose());
  EXPECT_TRUE(fixture.host.messages.empty());
}

TEST(HelpMenu, AManualThatCannotBeOpenedIsReported) {
  ControllerFixture fixture;
  fixture.shell.openOutcome = OpenOutcome::Failed;
  fixture.controller->OpenManual(Manual::Varnholt);
  std::string path = fixture.folder.File("Docs/Varnholt - User Manual.pdf");
  ASSERT_EQ(fixture.shell.opened, std::vector<std::string>{path});
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  // The simulator's manual is not ours: the message says where it belongs.
  EXPECT_EQ(fixture.host.messages[0].text,
            "File \"" + path +
                "\" could not be opened.\n\nThe Varnholt user manual comes with the simulator. Copy it to this path to "
                "open it from the Help menu.");
  EXPECT_EQ(fixture.host.messages[0].icon, MessageIcon::Error);

  fixture.controller->OpenManual(Manual::Tessarin);
  EXPECT_EQ(fixture.host.messages.back().text,
            "File \"" + fixture.folder.File("Docs/Tessarin - User Manual.pdf") + "\" could not be opened.");

  // The manual is there, but nothing shows PDF files: say so, and where it is.
  fixture.shell.openOutcome = OpenOutcome::NoViewer;
  fixture.controller->OpenManual(Manual::Tessarin);
  EXPECT_EQ(fixture.host.messages.back().text,
            "No PDF viewer was found to open the user manual. It is the file\n\n" +
                fixture.folder.File("Docs/Tessarin - User Manual.pdf") +
                "\n\nOpen it with a PDF viewer of your choice, or install one (together with xdg-utils, which opens "
                "each file with its program).");
  EXPECT_EQ(fixture.host.messages.back().icon, MessageIcon::Error);
}

TEST(HelpMenu, TheManualOpensFromTheDocsFolderOrTheInstalledDocumentation) {
  ControllerFixture fixture;
  fixture.controller->OpenManual(Manual::Tessarin);
  EXPECT_EQ(fixture.shell.opened, std::vector<std::string>{fixture.folder.File("Docs/Tessarin - User Manual.pdf")});
  EXPECT_TRUE(fixture.host.messages.empty());

  // An installed program: <prefix>/bin beside <prefix>/share/doc/tessarin.
  std::filesystem::create_directories(fixture.folder.File("bin"));
  std::filesystem::create_directories(fixture.folder.File("share/doc/tessarin"));
  EXPECT_EQ(ManualPath(fixture.folder.File("bin/"), Manual::Tessarin),
            fixture.folder.File("share/doc/tessarin/Tessarin - User Manual.pdf"));
  EXPECT_EQ(ManualPath(fixture.folder.File("bin/"), Manual::Varnholt),
            fixture.folder.File("share/doc/tessarin/Varnholt - User Manual.pdf"));
  // A Docs folder beside the program wins.
  std::filesystem::create_directories(fixture.folder.File("bin/Docs"));
  EXPECT_EQ(ManualPath(fixture.folder.File("bin/"), Manual::Tessarin),
            fixture.folder.File("bin/Docs/Tessarin - User Manual.pdf"));
}

}  // namespace
}  // namespace tessarin::ui
