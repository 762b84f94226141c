// The "check the simulation setup" box of the command-line dialog has three
// states: unchecked, checked and indeterminate (the simulator's own default),
// and the third one must survive the dialog and reach the command line.

#include <gtest/gtest.h>

#include "ui/controller_fixture.h"

namespace tessarin::ui {
namespace {

using testing::ControllerFixture;
using testing::StartWith;

TEST(CheckSyntaxBox, KeepsItsIndeterminateStateThroughTheDialog) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  fixture.dialogs.commandLine = [](CCmdLineDlg& dialog) {
    dialog.SetState(CheckField::CheckSyntaxVarnholt, 0);
    EXPECT_EQ(dialog.State(CheckField::CheckSyntaxVarnholt), 0);
    dialog.SetState(CheckField::CheckSyntaxVarnholt, 2);
    EXPECT_EQ(dialog.State(CheckField::CheckSyntaxVarnholt), 2);
    dialog.SetState(CheckField::CheckSyntaxVarnholt, 3);
    EXPECT_EQ(dialog.State(CheckField::CheckSyntaxVarnholt), 2);
    dialog.SetState(CheckField::QuitAfterChecking, 1);
    return dialog.Accept();
  };
  controller.EditCommandLine();
  EXPECT_EQ(controller.WorkingCopy().checkSyntax_Varnholt, 2);
  EXPECT_NE(controller.CommandLine().find(" check -1 "), std::string::npos) << controller.CommandLine();
}

TEST(CheckSyntaxBox, OnlyTheSimulatorBoxesHaveAThirdState) {
  settings::VIEWPARM set;
  EXPECT_TRUE(SetCheckField(set, CheckField::CheckSyntaxVarnholt, 0));
  EXPECT_TRUE(SetCheckField(set, CheckField::CheckSyntaxVarnholt, 2));
  EXPECT_EQ(CheckFieldState(set, CheckField::CheckSyntaxVarnholt), 2);
  EXPECT_FALSE(SetCheckField(set, CheckField::CheckSyntaxTessarin, 2));
  EXPECT_EQ(CheckFieldState(set, CheckField::CheckSyntaxTessarin), 1);
}

}  // namespace
}  // namespace tessarin::ui
