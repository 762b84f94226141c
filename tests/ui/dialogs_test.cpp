#include <gtest/gtest.h>

#include "ui/controller_fixture.h"

namespace tessarin::ui {
namespace {

using testing::ControllerFixture;
using testing::StartWith;

TEST(NewParmSetDialog, ListsAnEmptyFirstEntryAndStartsAfterTheCurrentSet) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  controller.SelectParameterSet(2);
  fixture.dialogs.newSet = [](CNewParmSetDlg& dialog) {
    EXPECT_EQ(dialog.InsertPositions().size(), 4u);
    EXPECT_EQ(dialog.InsertPositions()[0], "");
    EXPECT_EQ(dialog.insertPosition, 3);
    dialog.insertPosition = 0;
    return true;
  };
  controller.NewParameterSet();
  EXPECT_EQ(controller.CurrentIndex(), 0);
  EXPECT_EQ(controller.SetListEntries()[0].substr(0, 5), " (1) ");
  EXPECT_EQ(controller.Sets().size(), 4u);
}

TEST(NewParmSetDialog, BlankNameStartsEmptyAndLongNamesAreCut) {
  settings::VIEWPARM blank;
  blank.name = " \t ";
  CNewParmSetDlg dialog({blank}, 0);
  EXPECT_EQ(dialog.name, "");
  dialog.name = std::string(150, 'n');
  EXPECT_EQ(dialog.ChosenName().size(), 99u);
}

TEST(CmdLineDialog, ArgumentsOnSeveralLinesBecomeOneLine) {
  EXPECT_EQ(NormalizeAdditionalArguments("  a   b\r\n\tc  \n"), "a b c");
  EXPECT_EQ(NormalizeAdditionalArguments(" \n "), "");

  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  fixture.dialogs.commandLine = [](CCmdLineDlg& dialog) {
    dialog.Commit(TextField::AdditionalArguments, "seed 5\n   run   fast");
    return dialog.Accept();
  };
  controller.EditCommandLine();
  EXPECT_EQ(controller.WorkingCopy().additionalArgs, "seed 5 run fast");
  EXPECT_NE(controller.CommandLine().find(" seed 5 run fast"), std::string::npos);
  EXPECT_TRUE(controller.IsModified());
}

TEST(CmdLineDialog, OkWithoutChangesEndsAsCancel) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  fixture.dialogs.commandLine = [](CCmdLineDlg& dialog) {
    dialog.Commit(TextField::AdditionalArguments, "SEED 5");
    return dialog.Accept();
  };
  controller.EditCommandLine();
  ASSERT_TRUE(controller.IsModified());
  ASSERT_TRUE(controller.Save());
  // Only the letter case differs: not a change.
  fixture.dialogs.commandLine = [](CCmdLineDlg& dialog) {
    dialog.Commit(TextField::AdditionalArguments, "seed   5");
    return dialog.Accept();
  };
  controller.EditCommandLine();
  EXPECT_FALSE(controller.IsModified());
  EXPECT_EQ(controller.WorkingCopy().additionalArgs, "SEED 5");
}

TEST(CmdLineDialog, CancelKeepsTheWorkingCopy) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  fixture.dialogs.commandLine = [](CCmdLineDlg& dialog) {
    dialog.SetState(CheckField::QuitAfterChecking, 1);
    dialog.Commit(NumberField::ThreadCount, "4");
    return false;
  };
  controller.EditCommandLine();
  EXPECT_EQ(controller.WorkingCopy().nThreads, -1);
  EXPECT_EQ(controller.WorkingCopy().quitAfterChecking, 0);
  EXPECT_FALSE(controller.IsModified());
}

TEST(CmdLineDialog, FieldsFollowTheirRules) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  fixture.dialogs.commandLine = [&](CCmdLineDlg& dialog) {
    dialog.Commit(NumberField::ThreadCount, "2049");
    EXPECT_EQ(dialog.Copy().nThreads, -1);
    dialog.Commit(NumberField::ThreadCount, "0");
    dialog.SetState(CheckField::CheckSyntaxVarnholt, 1);
    dialog.SetState(CheckField::McnpStyleCommandLine, 1);
    EXPECT_FALSE(dialog.IsEditable(TextField::ConsoleFolder));
    dialog.SetConsoleFolderOption(3);
    EXPECT_TRUE(dialog.IsEditable(TextField::ConsoleFolder));
    dialog.Commit(TextField::OutputSuffix, "");
    EXPECT_EQ(dialog.Text(TextField::OutputFile), "demo_lattice_out.txt");
    dialog.Commit(TextField::OutputFile, "results/run.txt");
    fixture.host.chosenFiles = {fixture.folder.File("bin/Varnholt2")};
    dialog.Browse(TextField::VarnholtExecutable);
    EXPECT_EQ(dialog.Text(TextField::VarnholtExecutable), "bin/Varnholt2");
    EXPECT_EQ(fixture.host.fileRequests.back().title, "Locate a Varnholt executable file");
    return dialog.Accept();
  };
  controller.EditCommandLine();
  const settings::VIEWPARM& set = controller.WorkingCopy();
  EXPECT_EQ(set.nThreads, 0);
  EXPECT_EQ(set.cmdFolderOption, 3);
  EXPECT_EQ(set.suffix, "");
  EXPECT_EQ(set.OutputFileName, "results/run.txt");
  EXPECT_EQ(set.VarnholtExeName, "Varnholt2");
  const std::string& line = controller.CommandLine();
  EXPECT_NE(line.find("tasks 0"), std::string::npos) << line;
  EXPECT_NE(line.find("check 1"), std::string::npos) << line;
  EXPECT_NE(line.find("in= "), std::string::npos) << line;
  EXPECT_NE(line.find("out= "), std::string::npos) << line;
}

TEST(FileButtons, OpenFileMakesTheShownPathAbsoluteAndReportsFailure) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  controller.OpenShownFile(TextField::InputFile);
  EXPECT_EQ(fixture.shell.opened.back(), fixture.folder.File("demo_lattice.inp"));
  EXPECT_TRUE(fixture.host.messages.empty());
  fixture.shell.openOutcome = OpenOutcome::Failed;
  controller.OpenShownFile(TextField::OutputFile);
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].text, "An error occurred when attempting to open file \"" +
                                               fixture.folder.File("demo_lattice_out.txt") + "\".");
}

TEST(FileButtons, LocatingMgedKeepsItsArguments) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  controller.Commit(TextField::MgedCommandLine, "\"/opt/brl cad/mged\" -c -n");
  fixture.host.chosenFiles = {std::string("/usr/bin/mged")};
  controller.LocateMged();
  EXPECT_EQ(controller.WorkingCopy().MGEDcmdLine, "\"/usr/bin/mged\" -c -n");
  EXPECT_EQ(fixture.host.fileRequests.back().initialPath, "/opt/brl cad/mged");

  controller.Commit(TextField::MgedCommandLine, "mged");
  fixture.host.chosenFiles = {std::string("/usr/local/bin/mged")};
  controller.LocateMged();
  EXPECT_EQ(controller.WorkingCopy().MGEDcmdLine, "/usr/local/bin/mged");
}

TEST(FileButtons, ScriptFolderRederivesTheRtScript) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  fixture.host.chosenFolders = {fixture.folder.File("scripts")};
  controller.SelectScriptFolder();
  EXPECT_EQ(controller.WorkingCopy().ScriptFolder, fixture.folder.File("scripts/"));
  EXPECT_EQ(controller.RtScriptPath(), fixture.folder.File("scripts/demo_lattice.rt"));
  EXPECT_EQ(controller.Text(TextField::RtScript), "scripts/demo_lattice.rt");
  EXPECT_TRUE(controller.IsModified());
}

}  // namespace
}  // namespace tessarin::ui
