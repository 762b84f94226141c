#include <gtest/gtest.h>

#include "ui/controller_fixture.h"
#include "ui/field_numbers.h"
#include "ui/system_variables.h"
#include "ui/view_angles.h"

namespace tessarin::ui {
namespace {

using testing::ControllerFixture;
using testing::StartWith;

TEST(NumberFields, InvalidInputRevertsWithoutAMessage) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  const settings::VIEWPARM before = controller.WorkingCopy();
  controller.Commit(NumberField::ViewSize, "abc");
  EXPECT_EQ(controller.Text(NumberField::ViewSize), "15");
  controller.Commit(NumberField::ViewSize, "12abc");
  controller.Commit(NumberField::ViewSize, "0");
  controller.Commit(NumberField::SourceSizeRatio, "0.2");
  controller.Commit(NumberField::MaximumObjectSizeRatio, "3.4");
  controller.Commit(NumberField::Perspective, "nan");
  controller.Commit(NumberField::PortNumber, "10001");
  controller.Commit(NumberField::Iterations, "2.5");
  EXPECT_EQ(controller.WorkingCopy(), before);
  EXPECT_FALSE(controller.IsModified());
  EXPECT_TRUE(fixture.host.messages.empty());
}

TEST(NumberFields, ValidInputIsStoredAndShownWithG) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  controller.Commit(NumberField::ViewSize, " 1234567.8 ");
  EXPECT_EQ(controller.Text(NumberField::ViewSize), "1.23457e+06");
  EXPECT_TRUE(controller.IsModified());
  controller.Commit(NumberField::SourceSizeRatio, "0.1");
  controller.Commit(NumberField::Elevation, "-90");
  controller.Commit(NumberField::PortNumber, "+8080");
  EXPECT_EQ(controller.WorkingCopy().sourceSizeRatio, 0.1);
  EXPECT_EQ(controller.WorkingCopy().elevation, -90);
  EXPECT_EQ(controller.WorkingCopy().portNum, 8080);
}

TEST(NumberFields, SameValueDoesNotSetTheModifiedFlag) {
  ControllerFixture fixture;
  fixture.controller->Commit(NumberField::ViewSize, "15.0");
  EXPECT_FALSE(fixture.controller->IsModified());
}

TEST(NumberFields, VertexLimitsAcceptNoLimitAndTheirMinimums) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  controller.Commit(NumberField::VerticesTotalMax, "9999");
  EXPECT_EQ(controller.WorkingCopy().nVerticesTotalMax, 1000000);
  controller.Commit(NumberField::VerticesTotalMax, "10000");
  EXPECT_EQ(controller.WorkingCopy().nVerticesTotalMax, 10000);
  controller.Commit(NumberField::VerticesTotalMax, "-1");
  EXPECT_EQ(controller.WorkingCopy().nVerticesTotalMax, -1);
  EXPECT_EQ(controller.Text(NumberField::VerticesTotalMax), "");

  controller.Commit(NumberField::VerticesTrackMax, "3");
  EXPECT_EQ(controller.WorkingCopy().nVerticesTrackMax, 10000);
  controller.Commit(NumberField::VerticesTrackMax, "4");
  EXPECT_EQ(controller.WorkingCopy().nVerticesTrackMax, 4);
  controller.Commit(NumberField::VerticesTrackMax, "  ");
  EXPECT_EQ(controller.WorkingCopy().nVerticesTrackMax, -1);
  controller.Commit(NumberField::VerticesTrackMax, "-2");
  EXPECT_EQ(controller.WorkingCopy().nVerticesTrackMax, -1);
}

TEST(ViewAngles, SpinStepsWrapAzimuthAndTwistAndHoldElevation) {
  EXPECT_EQ(StepWrappingAngle(355, 1), -360);
  EXPECT_EQ(StepWrappingAngle(-360, -1), 355);
  EXPECT_EQ(StepWrappingAngle(-355, -1), -360);
  EXPECT_EQ(StepWrappingAngle(10, 1), 15);
  EXPECT_EQ(StepElevation(87, 1), 87);
  EXPECT_EQ(StepElevation(85, 1), 90);
  EXPECT_EQ(StepElevation(-85, -1), -90);
  EXPECT_EQ(StepElevation(85.0000000001, 1), 90);  // lands on the limit within 1e-8
  EXPECT_EQ(StepElevation(90, -1), 85);
}

TEST(ViewAngles, ControllerStepsTheWorkingCopy) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  controller.Commit(NumberField::Azimuth, "355");
  controller.Step(NumberField::Azimuth, 1);
  EXPECT_EQ(controller.Text(NumberField::Azimuth), "-360");
  controller.Commit(NumberField::Elevation, "87");
  controller.Step(NumberField::Elevation, 1);
  EXPECT_EQ(controller.WorkingCopy().elevation, 87);
  controller.Step(NumberField::Twist, -2);
  EXPECT_EQ(controller.WorkingCopy().twist, -10);
}

TEST(Suffixes, StrayPercentIsRefusedAndBlanksCutTheSuffix) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  for (const char* refused : {"_a%", "_%s", "_%d%d", "%%", "_%d_%x"}) {
    controller.Commit(TextField::OutputSuffix, refused);
    EXPECT_EQ(controller.WorkingCopy().suffix, "_out") << refused;
  }
  controller.Commit(TextField::OutputSuffix, "_run%d rest");
  EXPECT_EQ(controller.WorkingCopy().suffix, "_run%d");
  controller.Commit(TextField::RtSuffix, std::string(60, 'x'));
  EXPECT_EQ(controller.WorkingCopy().MGEDsuffix, std::string(50, 'x'));
}

TEST(Suffixes, AnEmptySuffixTurnsTheDerivedNameIntoAnEditableCustomName) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  EXPECT_FALSE(controller.IsEditable(TextField::LogFile));
  std::string commandLine = controller.CommandLine();
  controller.Commit(TextField::LogSuffix, "");
  EXPECT_TRUE(controller.IsEditable(TextField::LogFile));
  EXPECT_EQ(controller.WorkingCopy().LogFileName, "demo_lattice_log.txt");
  controller.Commit(TextField::LogFile, "logs/mine.txt");
  EXPECT_EQ(controller.Text(TextField::LogFile), "logs/mine.txt");
  EXPECT_NE(controller.CommandLine(), commandLine);
  EXPECT_NE(controller.CommandLine().find("log logs/mine.txt"), std::string::npos);

  controller.Commit(TextField::LogSuffix, "_l%d");
  EXPECT_EQ(controller.WorkingCopy().LogFileName, "");
  EXPECT_EQ(controller.Text(TextField::LogFile), "demo_lattice_l1.txt");
  controller.Commit(TextField::LogFile, "ignored.txt");  // read-only now
  EXPECT_EQ(controller.Text(TextField::LogFile), "demo_lattice_l1.txt");
}

TEST(Suffixes, OutputSuffixRederivesTheTrackDataFile) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  controller.Commit(TextField::OutputSuffix, "_r%d");
  EXPECT_EQ(controller.Text(TextField::TrackFile), "Files_demo_lattice_r1.txt/demo_lattice_r1_tracks.txt");
  EXPECT_NE(controller.CommandLine().find("out demo_lattice_r1.txt"), std::string::npos);
}

TEST(CheckBoxes, ThreeStateBoxesStoreTwoForIndeterminate) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  controller.SetState(CheckField::CreateLog, 0);
  EXPECT_EQ(controller.WorkingCopy().createLog, 0);
  EXPECT_NE(controller.CommandLine().find("writeLog 0"), std::string::npos);
  controller.SetState(CheckField::CreateLog, 2);
  EXPECT_EQ(controller.WorkingCopy().createLog, 2);
  controller.SetState(CheckField::ShowTracks, 2);  // not a three-state box
  EXPECT_EQ(controller.WorkingCopy().showTracks, 1);
}

TEST(CheckBoxes, CustomTrackFileStartsFromTheDerivedName) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  EXPECT_FALSE(controller.IsEditable(TextField::TrackFile));
  controller.SetState(CheckField::UseCustomTrackFileName, 1);
  EXPECT_TRUE(controller.IsEditable(TextField::TrackFile));
  EXPECT_EQ(controller.WorkingCopy().TrackFN, "Files_demo_lattice_out.txt/demo_lattice_out_tracks.txt");
  controller.Commit(TextField::TrackFile, "tracks/all.txt");
  EXPECT_EQ(controller.Text(TextField::TrackFile), "tracks/all.txt");
  controller.SetState(CheckField::UseCustomTrackFileName, 0);
  EXPECT_EQ(controller.Text(TextField::TrackFile), "Files_demo_lattice_out.txt/demo_lattice_out_tracks.txt");
}

TEST(CheckBoxes, OverwritePromptIsNotPartOfTheSet) {
  ControllerFixture fixture;
  EXPECT_TRUE(fixture.controller->OverwritePrompt());
  fixture.controller->SetOverwritePrompt(false);
  EXPECT_FALSE(fixture.controller->IsModified());
}

TEST(VectorTables, ComponentsAreCheckedAndTheNormalCannotVanish) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  controller.Commit(VectorField::ViewCenter, 1, "-2.5");
  EXPECT_EQ(controller.WorkingCopy().viewCenter.y, -2.5);
  controller.Commit(VectorField::ViewCenter, 0, "2e300");
  EXPECT_EQ(controller.WorkingCopy().viewCenter.x, 0);
  controller.Commit(VectorField::CutawayPlaneNormal, 2, "0");
  EXPECT_EQ(controller.Text(VectorField::CutawayPlaneNormal, 2), "1");
}

TEST(ColorLists, NamedCustomAndNone) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  EXPECT_EQ(ColorListEntries(ColorList::BeamAxis).size(), 17u);
  EXPECT_EQ(ColorListEntries(ColorList::Background).size(), 16u);
  EXPECT_EQ(ColorListEntries(ColorList::Material).back(), "Custom");
  EXPECT_EQ(ColorListEntries(ColorList::Material).size(), 15u);

  controller.SelectColor(ColorList::Background, 4);  // Amber
  EXPECT_EQ(controller.WorkingCopy().backgroundColorRGB, (settings::ColorEntry{4, 255, 191, 0}));
  fixture.host.chosenColors = {platform::Rgb{0, 0, 255}};
  controller.SelectColor(ColorList::Background, 15);  // Custom, and the choice is a named colour
  EXPECT_EQ(controller.ColorIndex(ColorList::Background), 2);
  fixture.host.chosenColors = {std::nullopt};
  controller.SelectColor(ColorList::Background, 15);
  EXPECT_EQ(controller.ColorIndex(ColorList::Background), 2);

  controller.SelectColor(ColorList::BeamAxis, 16);  // None
  EXPECT_EQ(controller.ColorIndex(ColorList::BeamAxis), 16);
  EXPECT_EQ(controller.WorkingCopy().beamAxisColorRGB.red, 240);
}

TEST(MaterialsTable, CellsTakeOnlyValuesInRange) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  EXPECT_EQ(controller.MaterialText(0, MaterialColumn::Number), " 1 ");
  controller.CommitMaterial(0, MaterialColumn::Red, "256");
  controller.CommitMaterial(0, MaterialColumn::Green, "12x");
  controller.CommitMaterial(0, MaterialColumn::Transparency, "1.5");
  controller.CommitMaterial(0, MaterialColumn::Reflectivity, "-0.1");
  EXPECT_FALSE(controller.IsModified());
  controller.CommitMaterial(0, MaterialColumn::Red, "0\t ");
  controller.CommitMaterial(0, MaterialColumn::Green, "0");
  controller.CommitMaterial(0, MaterialColumn::Blue, "0");
  // Black is not a material colour name.
  EXPECT_EQ(controller.MaterialColorIndex(0), 14);
  controller.CommitMaterial(0, MaterialColumn::Transparency, "0.75");
  EXPECT_EQ(controller.MaterialText(0, MaterialColumn::Transparency), "0.75");
  controller.SelectMaterialColor(1, 13);  // Grey
  EXPECT_EQ(controller.WorkingCopy().rows[1].color, (settings::ColorEntry{13, 128, 128, 128}));
  controller.SetMaterialShown(2, false);
  EXPECT_EQ(controller.WorkingCopy().rows[2].show, 0);
  EXPECT_TRUE(controller.IsModified());
}

TEST(SystemVariables, RefuseTextAndOverflowAndRebuildTheCommandLine) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  controller.CommitSystemVariable(3, "abc");
  controller.CommitSystemVariable(3, "1e309");
  EXPECT_EQ(controller.WorkingCopy().systemVariables[3], 0);
  EXPECT_FALSE(controller.IsModified());
  controller.CommitSystemVariable(3, "-0.5");
  EXPECT_NE(controller.CommandLine().find("@3 -0.5"), std::string::npos);
  controller.CommitSystemVariable(1, "0.1");
  EXPECT_EQ(SystemVariableText(controller.WorkingCopy(), 1), "0.1");
  controller.CommitSystemVariable(2, "1.7976931348623157e308");
  EXPECT_EQ(SystemVariableText(controller.WorkingCopy(), 2), "1.797693134862316e+308");
}

TEST(WorkingCopy, ChangesFromOtherPartsAreShownAndRederiveNames) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  int shown = 0;
  controller.SetWorkingCopyShownHandler([&shown] { ++shown; });
  controller.EditWorkingCopy().InputFN = "other.inp";
  controller.ShowWorkingCopy();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(controller.InputBaseName(), "other");
  EXPECT_EQ(controller.Text(TextField::OutputFile), "other_out.txt");
}

TEST(NumberText, FormatsLikePrintf) {
  EXPECT_EQ(FormatG(0.003), "0.003");
  EXPECT_EQ(FormatG(1e-5), "1e-05");
  EXPECT_EQ(FormatG(100000), "100000");
  EXPECT_EQ(FormatG(1e6), "1e+06");
  EXPECT_EQ(FormatG16(2.5), "2.5");
}

}  // namespace
}  // namespace tessarin::ui
