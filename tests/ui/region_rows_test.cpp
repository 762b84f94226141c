// The Materials table follows the input file: every successful read names
// the rows after the materials and adds palette-coloured rows as needed.

#include <gtest/gtest.h>

#include "settings/colors.h"
#include "ui/controller_fixture.h"

namespace tessarin::ui {
namespace {

using testing::ControllerFixture;

std::string Materials(int count) {
  std::string text = "COMPLEX_GEOMETRY 1\nS1 S 0 0 0 100\n";
  for (int m = 1; m <= count; ++m) {
    text += "M" + std::to_string(m) + " \"material " + std::to_string(m) + "\"\n";
    text += "S" + std::to_string(m + 1) + " S " + std::to_string(3 * m) + " 0 0 1\n";
    text += "C" + std::to_string(m) + " " + std::to_string(m) + " 1 -" + std::to_string(m + 1) + "\n";
  }
  return text;
}

struct Loaded : ControllerFixture {
  explicit Loaded(const std::string& input) {
    path = folder.File("model.inp");
    tessarin::testing::WriteWholeFile(path, input);
    controller->EditWorkingCopy().checkSyntax_Tessarin = 1;
    host.chosenFiles.push_back(path);
    controller->LoadInputFile();
  }
  const std::vector<settings::REGIONDATA>& Rows() const { return controller->WorkingCopy().rows; }
  std::string path;
};

TEST(RegionRowsAfterRead, LoadNamesTheRowsAfterTheMaterialsAndTheSourceAndKeepsTheirColours) {
  Loaded fixture(std::string("COMPLEX_GEOMETRY 1\nM2 \"water\"\nM5\nS1 S 0 0 0 1\nS2 S 0 0 0 2\n") +
                 "C1 5 1 -1\nC2 2 1 -2 #1\nC3 0 +2\n");
  ASSERT_TRUE(fixture.controller->Model().loaded) << fixture.console.text;
  const auto& rows = fixture.Rows();
  ASSERT_EQ(rows.size(), 13u);
  EXPECT_EQ(rows[0].name, "M2 (water)");
  EXPECT_EQ(rows[1].name, "M5");
  EXPECT_EQ(rows[2].name, "V0");
  EXPECT_EQ(rows[3].name, "M_source");
  EXPECT_EQ(rows[4].name, "");
  EXPECT_EQ(settings::DefaultRegionRows()[1].color, rows[1].color);
  EXPECT_EQ(fixture.controller->MaterialText(0, MaterialColumn::Material), "M2 (water)");
  EXPECT_TRUE(fixture.controller->IsModified());
}

TEST(RegionRowsAfterRead, AFailedReadLeavesTheRowsAsTheyWere) {
  Loaded fixture(Materials(2));
  std::vector<settings::REGIONDATA> before = fixture.Rows();
  tessarin::testing::WriteWholeFile(fixture.path, Materials(3) + "C99 7 1 -1\n");  // undefined material
  fixture.controller->ReloadInputFile();
  EXPECT_FALSE(fixture.controller->Model().loaded);
  EXPECT_EQ(fixture.Rows(), before);
}

TEST(RegionRowsAfterRead, RowsAddedTakeThePaletteColoursNoRowHasAfterTheColourEdits) {
  Loaded fixture(Materials(2));
  ASSERT_EQ(fixture.Rows().size(), 13u);
  Controller& controller = *fixture.controller;
  // Row 1 leaves palette colour 1 (its red becomes 1); row 2 leaves colour 2
  // (128, 255, 255) for colour 0 (128, 255, 128).
  controller.CommitMaterial(1, MaterialColumn::Red, "1");
  controller.CommitMaterial(2, MaterialColumn::Blue, "128");
  tessarin::testing::WriteWholeFile(fixture.path, Materials(15));
  controller.ReloadInputFile();
  const auto& rows = controller.WorkingCopy().rows;
  ASSERT_EQ(rows.size(), 16u);  // 15 materials and the source
  EXPECT_EQ(rows[14].name, "M15 (material 15)");
  EXPECT_EQ(rows[15].name, "M_source");
  EXPECT_TRUE(rows[13].color.SameRgb(settings::kMaterialPalette[1]));
  EXPECT_TRUE(rows[14].color.SameRgb(settings::kMaterialPalette[2]));
  EXPECT_TRUE(rows[15].color.SameRgb(settings::kMaterialPalette[13]));
  EXPECT_EQ(rows[1].color.red, 1);
}

TEST(RegionRowsAfterRead, ReadingTheSameFileAgainRenamesNothing) {
  Loaded fixture(Materials(2));
  ASSERT_TRUE(fixture.controller->Save());
  fixture.controller->ReloadInputFile();
  EXPECT_FALSE(fixture.controller->IsModified());
}

TEST(MakeRtScriptCommand, ReadsTheInputFileAgainAndStopsSilentlyWhenTheReadFails) {
  Loaded fixture(Materials(1));
  tessarin::testing::WriteWholeFile(fixture.path, Materials(2));
  fixture.host.messages.clear();
  fixture.controller->MakeRtScript();
  EXPECT_EQ(fixture.Rows()[1].name, "M2 (material 2)");

  tessarin::testing::WriteWholeFile(fixture.path, "COMPLEX_GEOMETRY 1\nC1 9 1 -1\n");
  fixture.host.messages.clear();
  fixture.controller->MakeRtScript();
  EXPECT_FALSE(fixture.controller->Model().loaded);
  EXPECT_TRUE(fixture.host.messages.empty());
  EXPECT_NE(fixture.console.text.find("Error"), std::string::npos);
}

TEST(MakeRtScriptCommand, WithoutAnInputFileItAsksForOneAndACancelWritesNothing) {
  Loaded fixture(Materials(1));
  // Another set without an input file keeps the model of the last read.
  fixture.controller->EditWorkingCopy().InputFN.clear();
  fixture.host.messages.clear();
  fixture.controller->MakeRtScript();  // the chooser is cancelled
  EXPECT_EQ(fixture.host.fileRequests.size(), 2u);
  EXPECT_TRUE(fixture.host.messages.empty());
}

}  // namespace
}  // namespace tessarin::ui
