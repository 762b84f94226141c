#include <gtest/gtest.h>

#include "ui/controller_fixture.h"

namespace tessarin::ui {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using launch::WatchedProgram;
using testing::ControllerFixture;
using testing::InsertNewSet;

// Four sets named "one" ... "four", saved state discarded.
void MakeFourSets(ControllerFixture& fixture) {
  Controller& controller = *fixture.controller;
  fixture.dialogs.editName = [](CEditNameDlg& dialog) {
    dialog.name = "one";
    return dialog.Accept();
  };
  controller.EditName();
  const char* names[] = {"two", "three", "four"};
  for (int i = 0; i < 3; ++i) {
    fixture.dialogs.newSet = InsertNewSet(names[i], i + 1);
    controller.NewParameterSet();
  }
}

TEST(ParameterSetList, DeleteIsEnabledOnlyWithTwoOrMoreSets) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  ASSERT_EQ(controller.Sets().size(), 1u);
  EXPECT_FALSE(controller.IsDeleteEnabled());
  controller.DeleteParameterSet();
  EXPECT_EQ(controller.Sets().size(), 1u);
  EXPECT_TRUE(fixture.host.messages.empty());

  fixture.dialogs.newSet = InsertNewSet("second", 1);
  controller.NewParameterSet();
  EXPECT_TRUE(controller.IsDeleteEnabled());
  fixture.host.answers = {MessageAnswer::Yes};
  controller.DeleteParameterSet();
  EXPECT_FALSE(controller.IsDeleteEnabled());
}

TEST(ParameterSetList, NewSetAfterSetTwoRenumbersTheFollowingSetsAndTheirWatchedConsoles) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  MakeFourSets(fixture);
  controller.SelectParameterSet(2);
  controller.StartOrActivateConsole();  // a console started for set 3
  controller.SelectParameterSet(0);
  controller.StartOrActivateMged();
  controller.SelectParameterSet(1);

  fixture.dialogs.newSet = [](CNewParmSetDlg& dialog) {
    EXPECT_EQ(dialog.InsertPositions().size(), 5u);
    EXPECT_EQ(dialog.insertPosition, 2);  // after the current set
    EXPECT_EQ(dialog.name, "two");
    dialog.name = "new";
    return true;
  };
  controller.NewParameterSet();

  EXPECT_EQ(controller.CurrentIndex(), 2);
  EXPECT_EQ(controller.SetListEntries(),
            (std::vector<std::string>{" (1)  one", " (2)  two", " (3)  new", " (4)  three", " (5)  four"}));
  EXPECT_EQ(controller.WorkingCopy().name, "new");
  EXPECT_EQ(controller.Watch().WatchedSetIndices(WatchedProgram::Console), std::vector<int>{3});
  EXPECT_EQ(controller.Watch().WatchedSetIndices(WatchedProgram::Mged), std::vector<int>{0});
  EXPECT_EQ(controller.Context().setNumber, 3);
  EXPECT_EQ(controller.ConsoleButtonCaption(), "Start Varnholt");
  controller.SelectParameterSet(3);
  EXPECT_EQ(controller.ConsoleButtonCaption(), "Activate the xterm window");
  EXPECT_EQ(controller.MgedButtonCaption(), "Start MGED");
}

TEST(ParameterSetList, NewSetIsACopyWithItsOwnNameAndNoProcess) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  controller.Commit(NumberField::ViewSize, "42");
  fixture.dialogs.newSet = [](CNewParmSetDlg& dialog) {
    EXPECT_EQ(dialog.InsertPositions(), (std::vector<std::string>{"", " (1)  "}));
    dialog.name = " \t copy";
    dialog.insertPosition = 0;  // before the first set
    return true;
  };
  controller.NewParameterSet();
  ASSERT_EQ(controller.Sets().size(), 2u);
  EXPECT_EQ(controller.CurrentIndex(), 0);
  EXPECT_EQ(controller.WorkingCopy().name, "copy");
  EXPECT_EQ(controller.WorkingCopy().viewSize, 42);
  EXPECT_EQ(controller.Sets()[1].name, "");
  EXPECT_EQ(controller.Sets()[1].viewSize, 42);  // the edit was kept in the old set too
  EXPECT_EQ(controller.ConsoleButtonCaption(), "Start Varnholt");
  EXPECT_TRUE(controller.IsModified());
}

TEST(ParameterSetList, CancelledNewSetChangesNothing) {
  ControllerFixture fixture;
  fixture.controller->NewParameterSet();
  EXPECT_EQ(fixture.controller->Sets().size(), 1u);
  EXPECT_FALSE(fixture.controller->IsModified());
}

TEST(ParameterSetList, DeleteAsksWithWarningAndNoAsDefault) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  MakeFourSets(fixture);
  controller.SelectParameterSet(1);
  fixture.host.answers = {MessageAnswer::No};
  controller.DeleteParameterSet();
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  const platform::RecordedMessage& question = fixture.host.messages[0];
  EXPECT_EQ(question.text, "Do you really want to delete parameter set No. 2?");
  EXPECT_EQ(question.icon, MessageIcon::Warning);
  EXPECT_EQ(question.buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(question.defaultAnswer, MessageAnswer::No);
  EXPECT_EQ(controller.Sets().size(), 4u);

  controller.SelectParameterSet(3);
  controller.StartOrActivateConsole();
  controller.SelectParameterSet(1);
  controller.StartOrActivateConsole();
  ASSERT_EQ(fixture.timers.running.size(), 2u);
  fixture.host.answers = {MessageAnswer::Yes};
  controller.DeleteParameterSet();
  EXPECT_EQ(controller.SetListEntries(), (std::vector<std::string>{" (1)  one", " (2)  three", " (3)  four"}));
  EXPECT_EQ(controller.CurrentIndex(), 1);
  EXPECT_EQ(controller.WorkingCopy().name, "three");
  // The deleted set's timer stops; the console of old set 4 is now set 3's.
  EXPECT_EQ(controller.Watch().WatchedSetIndices(WatchedProgram::Console), std::vector<int>{2});
  EXPECT_EQ(fixture.timers.running.size(), 1u);
  EXPECT_EQ(controller.ConsoleButtonCaption(), "Start Varnholt");
  EXPECT_EQ(controller.Sets()[2].process.consoleListPosition, 0);
  controller.SelectParameterSet(2);
  EXPECT_EQ(controller.ConsoleButtonCaption(), "Activate the xterm window");
}

TEST(ParameterSetList, DeletingTheLastEntryMakesThePreviousOneCurrent) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  MakeFourSets(fixture);
  controller.SelectParameterSet(3);
  fixture.host.answers = {MessageAnswer::Yes};
  controller.DeleteParameterSet();
  EXPECT_EQ(controller.CurrentIndex(), 2);
  EXPECT_EQ(controller.WorkingCopy().name, "three");
}

TEST(ParameterSetList, SwitchingSetsKeepsEditsOfEach) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  MakeFourSets(fixture);
  controller.SelectParameterSet(0);
  controller.Commit(NumberField::Azimuth, "-45");
  controller.SelectParameterSet(3);
  EXPECT_EQ(controller.WorkingCopy().azimuth, 25);
  controller.SelectParameterSet(0);
  EXPECT_EQ(controller.WorkingCopy().azimuth, -45);
}

TEST(ParameterSetList, RenamingWithTheSameTextLeavesTheSetUnmodified) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  fixture.dialogs.editName = [](CEditNameDlg& dialog) {
    EXPECT_EQ(dialog.Title(), "Edit name of parameter set No. 1");
    dialog.name = "";
    return dialog.Accept();
  };
  controller.EditName();
  EXPECT_FALSE(controller.IsModified());

  fixture.dialogs.editName = [](CEditNameDlg& dialog) {
    dialog.name = "\t  Lattice";
    return dialog.Accept();
  };
  controller.EditName();
  EXPECT_TRUE(controller.IsModified());
  EXPECT_EQ(controller.SetListEntries().front(), " (1)  Lattice");
}

TEST(ParameterSetList, ResetAllKeepsNameAndFilesButResetsGraphicsAndThreads) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  fixture.dialogs.commandLine = [](CCmdLineDlg& dialog) {
    dialog.Commit(NumberField::ThreadCount, "8");
    return dialog.Accept();
  };
  controller.EditCommandLine();
  controller.Commit(TextField::OutputSuffix, "_run%d");
  controller.Commit(NumberField::Elevation, "-30");
  controller.CommitMaterial(0, MaterialColumn::Red, "1");

  fixture.host.answers = {MessageAnswer::Cancel};
  EXPECT_FALSE(controller.ResetAll());
  EXPECT_EQ(controller.WorkingCopy().elevation, -30);
  EXPECT_EQ(fixture.host.messages.back().defaultAnswer, MessageAnswer::No);

  fixture.host.answers = {MessageAnswer::Yes};
  EXPECT_TRUE(controller.ResetAll());
  const settings::VIEWPARM& set = controller.WorkingCopy();
  EXPECT_EQ(set.elevation, 15);
  EXPECT_EQ(set.nThreads, -1);
  EXPECT_EQ(set.suffix, "_run%d");
  EXPECT_EQ(set.rows.size(), 13u);
  EXPECT_EQ(set.rows[0].color.red, 128);
  EXPECT_EQ(controller.Sets()[0], set);  // stored into the list at once
}

}  // namespace
}  // namespace tessarin::ui
