// Typing into the widgets of the main window changes the working copy by the
// same rules as the controller.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QDialog>

#include "platform/scripted_host.h"
#include "ui/controller_fixture.h"
#include "ui/qt/angle_spin_box.h"
#include "ui/qt/captions.h"
#include "ui/qt/desktop_application.h"
#include "ui/qt/materials_table.h"
#include "ui/qt/system_vars_window.h"
#include "widget_lookup.h"

namespace tessarin::ui::qt {
namespace {

using testing::ButtonByText;
using testing::ByToolTip;

// Replaces the text the way a user does (select all, type) and leaves the
// field, which commits it.
void TypeInto(QLineEdit* edit, const QString& text) {
  edit->selectAll();
  QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
  QApplication::sendEvent(edit, &erase);
  for (QChar character : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
    QApplication::sendEvent(edit, &press);
  }
  emit edit->editingFinished();
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    ControllerEnvironment environment;
    environment.programFolder = folder.path();
    environment.startupDirectory = folder.path();
    auto host = std::make_unique<platform::ScriptedHost>();
    scriptedHost = host.get();
    desktop = std::make_unique<DesktopApplication>(environment, std::move(host),
                                                   std::make_unique<ui::testing::RecordingShell>());
  }
  Controller& controller() { return desktop->controller(); }
  MainWindow& window() { return desktop->window(); }

  tessarin::testing::TempDir folder;
  platform::ScriptedHost* scriptedHost = nullptr;
  std::unique_ptr<DesktopApplication> desktop;
};

TEST_F(MainWindowTest, NumberFieldsCommitTypedValuesAndRevertInvalidOnes) {
  QLineEdit* viewSize = ByToolTip<QLineEdit>(window(), captions::kTipViewSize);
  ASSERT_NE(viewSize, nullptr);
  TypeInto(viewSize, "abc");
  EXPECT_EQ(viewSize->text(), "15");
  EXPECT_FALSE(controller().IsModified());
  EXPECT_FALSE(window().isWindowModified());
  TypeInto(viewSize, "2.5e3");
  EXPECT_EQ(controller().WorkingCopy().viewSize, 2500);
  EXPECT_EQ(viewSize->text(), "2500");
  EXPECT_TRUE(controller().IsModified());
  // Unsaved changes: a star after the parameter file's name in the title.
  EXPECT_TRUE(window().isWindowModified());
  EXPECT_TRUE(window().windowTitle().endsWith("Tessarin.tesprm][*]")) << window().windowTitle().toStdString();
  ASSERT_TRUE(controller().Save());
  EXPECT_FALSE(window().isWindowModified());

  QLineEdit* total = ByToolTip<QLineEdit>(window(), captions::kTipVerticesTotal);
  TypeInto(total, "9999");
  EXPECT_EQ(total->text(), "1000000");
  TypeInto(total, "");
  EXPECT_EQ(controller().WorkingCopy().nVerticesTotalMax, -1);
  EXPECT_EQ(total->text(), "");
}

TEST_F(MainWindowTest, AngleSpinButtonsStepByFiveAndWrap) {
  auto* azimuth = ByToolTip<AngleSpinBox>(window(), captions::kTipAzimuth);
  ASSERT_NE(azimuth, nullptr);
  azimuth->SetText("355");
  azimuth->stepBy(1);
  EXPECT_EQ(controller().WorkingCopy().azimuth, -360);
  EXPECT_EQ(azimuth->Text(), "-360");
  auto* elevation = ByToolTip<AngleSpinBox>(window(), captions::kTipElevation);
  elevation->SetText("87");
  elevation->stepBy(1);
  EXPECT_EQ(elevation->Text(), "87");
}

TEST_F(MainWindowTest, SuffixFieldsRefuseStrayPercentAndUnlockTheCustomName) {
  QLineEdit* suffix = ByToolTip<QLineEdit>(window(), captions::kTipOutputSuffix);
  QLineEdit* output = ByToolTip<QLineEdit>(window(), captions::kTipOutputFile);
  ASSERT_TRUE(suffix && output);
  EXPECT_TRUE(output->isReadOnly());
  TypeInto(suffix, "_%x");
  EXPECT_EQ(suffix->text(), "_out");
  TypeInto(suffix, "");
  EXPECT_FALSE(output->isReadOnly());
  TypeInto(output, "mine.txt");
  EXPECT_EQ(controller().WorkingCopy().OutputFileName, "mine.txt");
  EXPECT_NE(controller().CommandLine().find("out mine.txt"), std::string::npos);
}

TEST_F(MainWindowTest, CreateLogIsAThreeStateBox) {
  auto* createLog = ByToolTip<QCheckBox>(window(), captions::kTipCreateLog);
  ASSERT_NE(createLog, nullptr);
  EXPECT_EQ(createLog->checkState(), Qt::PartiallyChecked);
  createLog->click();  // indeterminate -> checked
  EXPECT_EQ(controller().WorkingCopy().createLog, 1);
  createLog->click();
  EXPECT_EQ(controller().WorkingCopy().createLog, 0);
  createLog->click();
  EXPECT_EQ(controller().WorkingCopy().createLog, 2);
}

TEST_F(MainWindowTest, MaterialsCellsRevertOutOfRangeValues) {
  auto* table = window().findChild<MaterialsTable*>();
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->rowCount(), 13);
  int red = static_cast<int>(MaterialColumn::Red);
  table->item(0, red)->setText("300");
  EXPECT_EQ(table->item(0, red)->text(), "128");
  table->item(0, red)->setText("255");
  EXPECT_EQ(controller().WorkingCopy().rows[0].color.red, 255);
  int show = static_cast<int>(MaterialColumn::Show);
  table->item(1, show)->setCheckState(Qt::Unchecked);
  EXPECT_EQ(controller().WorkingCopy().rows[1].show, 0);
}

// The button re-reads the input file, so the table shows the rows named
// after its materials; "Copy to clipboard" is the set's option.
TEST_F(MainWindowTest, MakeRtScriptReadsTheInputFileAndTheTableShowsItsMaterials) {
  tessarin::testing::WriteWholeFile(folder.File("model.inp"),
                                    "COMPLEX_GEOMETRY 1\nM4 \"steel\"\nS1 S 0 0 0 1\nC1 4 7.8 -1\n");
  controller().EditWorkingCopy().InputFN = "model.inp";
  controller().EditWorkingCopy().checkSyntax_Tessarin = 1;
  QPushButton* make = ButtonByText(window(), captions::kMakeRtScript);
  ASSERT_NE(make, nullptr);
  EXPECT_TRUE(make->isEnabled());
  make->click();
  // One row per region, none of the set's other twelve.
  auto* table = window().findChild<MaterialsTable*>();
  ASSERT_EQ(table->rowCount(), 2);
  EXPECT_EQ(table->item(0, static_cast<int>(MaterialColumn::Material))->text(), "M4 (steel)");
  EXPECT_EQ(table->item(1, static_cast<int>(MaterialColumn::Material))->text(), "M_source");
  EXPECT_TRUE(make->isEnabled());

  QCheckBox* copy = ByToolTip<QCheckBox>(window(), captions::kTipCopyToClipboard);
  ASSERT_NE(copy, nullptr);
  copy->click();
  EXPECT_EQ(controller().WorkingCopy().copyToClipboard, 1);
}

TEST_F(MainWindowTest, ColorListsStoreNamedCustomAndNone) {
  auto* beamAxis = ByToolTip<QComboBox>(window(), captions::kTipBeamAxis);
  ASSERT_NE(beamAxis, nullptr);
  EXPECT_EQ(beamAxis->currentText(), "Red");
  emit beamAxis->activated(16);
  EXPECT_EQ(beamAxis->currentText(), "None");
  EXPECT_EQ(controller().WorkingCopy().beamAxisColorRGB.green, scriptedHost->buttonFace.green);
  scriptedHost->chosenColors = {platform::Rgb{1, 2, 3}};
  emit beamAxis->activated(15);
  EXPECT_EQ(beamAxis->currentText(), "Custom");
  EXPECT_EQ(controller().WorkingCopy().beamAxisColorRGB, (settings::ColorEntry{15, 1, 2, 3}));
}

TEST_F(MainWindowTest, SystemVariablesTableRefusesText) {
  controller().ShowSystemVariables();
  SystemVarsWindow* variables = desktop->dialogs().ExistingSystemVariablesWindow();
  ASSERT_NE(variables, nullptr);
  auto* table = variables->findChild<QTableWidget*>();
  table->item(2, 1)->setText("abc");
  EXPECT_EQ(table->item(2, 1)->text(), "0");
  table->item(2, 1)->setText("0.1");
  EXPECT_EQ(controller().WorkingCopy().systemVariables[2], 0.1);
  EXPECT_NE(ByToolTip<QLineEdit>(window(), captions::kTipCommandLine)->text().indexOf("@2 0.1"), -1);
  variables->hide();
}

// Shown from the modal command-line dialog, the system variables must take
// input, which a modeless window behind a modal dialog cannot.
TEST_F(MainWindowTest, SystemVariablesShownFromTheCommandLineDialogTakeInput) {
  QWidget* modalWhileShown = nullptr;
  QTimer::singleShot(0, [&] {
    QWidget* commandLineDialog = QApplication::activeModalWidget();
    ASSERT_NE(commandLineDialog, nullptr);
    QPushButton* variablesButton = ByToolTip<QPushButton>(*commandLineDialog, captions::kTipDialogSystemVariables);
    ASSERT_NE(variablesButton, nullptr);
    variablesButton->click();
    modalWhileShown = QApplication::activeModalWidget();
    if (SystemVarsWindow* variables = desktop->dialogs().ExistingSystemVariablesWindow()) variables->hide();
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
  });
  ButtonByText(window(), captions::kEdit)->click();
  SystemVarsWindow* variables = desktop->dialogs().ExistingSystemVariablesWindow();
  ASSERT_NE(variables, nullptr);
  EXPECT_EQ(modalWhileShown, variables);
  // From the main window it stays modeless.
  controller().ShowSystemVariables();
  EXPECT_FALSE(variables->isModal());
  variables->hide();
}

TEST_F(MainWindowTest, GraphicsToggleAndDeleteButton) {
  QPushButton* toggle = ButtonByText(window(), "Hide graphical parameters");
  ASSERT_NE(toggle, nullptr);
  toggle->click();
  EXPECT_FALSE(controller().AreGraphicsShown());
  EXPECT_EQ(toggle->text(), "Show graphical parameters");
  toggle->click();
  EXPECT_EQ(toggle->text(), "Hide graphical parameters");

  QPushButton* remove = ByToolTip<QPushButton>(window(), captions::kTipDelete);
  EXPECT_FALSE(remove->isEnabled());
  // The new-set dialog is modal: accept it once it is up.
  QTimer::singleShot(0, [] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
  });
  ButtonByText(window(), "New parameter set")->click();
  EXPECT_EQ(controller().Sets().size(), 2u);
  EXPECT_TRUE(remove->isEnabled());
}

// The chooser beside the track data file name would have nothing to change
// while the name is derived, so it is offered only for a custom name.
TEST_F(MainWindowTest, TrackFileChooserFollowsTheCustomNameBox) {
  QPushButton* chooser = ByToolTip<QPushButton>(window(), captions::kTipSelectTrackFile);
  QCheckBox* custom = ByToolTip<QCheckBox>(window(), captions::kTipCustomTrack);
  ASSERT_NE(chooser, nullptr);
  ASSERT_NE(custom, nullptr);
  EXPECT_FALSE(chooser->isEnabled());
  custom->click();
  EXPECT_TRUE(chooser->isEnabled());
  custom->click();
  EXPECT_FALSE(chooser->isEnabled());
}

// A focused field must not swallow the menu accelerators (Ctrl+D activates
// the console), but keeps its editing keys: Ctrl+A selects its text.
TEST_F(MainWindowTest, MenuAcceleratorsWinOverAFocusedFieldButNotItsEditingKeys) {
  QLineEdit* viewSize = ByToolTip<QLineEdit>(window(), captions::kTipViewSize);
  ASSERT_NE(viewSize, nullptr);
  auto overriddenByField = [&](Qt::Key key) {
    QKeyEvent override(QEvent::ShortcutOverride, key, Qt::ControlModifier, QString(QChar(key)).toLower());
    override.setAccepted(false);
    QApplication::sendEvent(viewSize, &override);
    return override.isAccepted();
  };
  EXPECT_TRUE(overriddenByField(Qt::Key_A));
  EXPECT_FALSE(overriddenByField(Qt::Key_D));
  EXPECT_FALSE(overriddenByField(Qt::Key_O));
  EXPECT_FALSE(overriddenByField(Qt::Key_S));
  // Other editing keys stay with the field.
  EXPECT_TRUE(overriddenByField(Qt::Key_C));
  viewSize->setText("15");
  viewSize->deselect();
  QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, "a");
  QApplication::sendEvent(viewSize, &selectAll);
  EXPECT_EQ(viewSize->selectedText(), "15");
}

}  // namespace
}  // namespace tessarin::ui::qt
