// The check boxes of the command-line dialog window: the simulator's
// "check the setup" box shows and takes all three states.

#include <gtest/gtest.h>

#include <QCheckBox>

#include "platform/scripted_host.h"
#include "settings/viewparm.h"
#include "ui/cmd_line_dialog.h"
#include "ui/controller_fixture.h"
#include "ui/qt/captions.h"
#include "ui/qt/cmd_line_window.h"
#include "widget_lookup.h"

namespace tessarin::ui::qt {
namespace {

using testing::ByToolTip;

TEST(CmdLineWindow, CheckSetupBoxCyclesThroughThreeStates) {
  settings::VIEWPARM working = settings::DefaultParameterSet();
  working.checkSyntax_Varnholt = 2;
  platform::ScriptedHost host;
  ui::testing::RecordingShell shell;
  CCmdLineDlg dialog(working, {"/tmp/", 1}, host, shell);
  CmdLineWindow window(dialog, [] {});
  auto* box = ByToolTip<QCheckBox>(window, captions::kTipCheckSetup);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isTristate());
  EXPECT_EQ(box->checkState(), Qt::PartiallyChecked);
  box->click();
  EXPECT_EQ(dialog.State(CheckField::CheckSyntaxVarnholt), 1);
  box->click();
  EXPECT_EQ(dialog.State(CheckField::CheckSyntaxVarnholt), 0);
  box->click();
  EXPECT_EQ(dialog.State(CheckField::CheckSyntaxVarnholt), 2);
  EXPECT_EQ(box->checkState(), Qt::PartiallyChecked);
}

}  // namespace
}  // namespace tessarin::ui::qt
