// Materials and cells: names, void materials, concentrations, options,
// complements with their enclosing cells, transformed copies, and the
// messages for bad cell directives.

#include <gtest/gtest.h>

#include <string>

#include "cells_test_support.h"
#include "reader_fixture.h"

namespace tessarin::input::testing {
namespace {

const CellRecord& Cell(const GeometryModel& model, int id) {
  int index = model.FindCell(id);
  EXPECT_GE(index, 0) << "no cell " << id;
  static const CellRecord none;
  return index < 0 ? none : model.cells[static_cast<std::size_t>(index)];
}

constexpr const char* kSpheres = "S1 S 0 0 0 10\nS2 S 0 0 0 1\nS3 S 5 0 0 1\nM1\n";

TEST(Materials, NamesAreTrimmedAndCutTo50Characters) {
  ReaderFixture reader;
  std::string sixty(60, 'x');
  ReadOutcome outcome =
      reader.Read("M1 \"  lead glass  \" ignored\nM2 \"" + sixty + "\"\nM3\nS1 S 0 0 0 1\nC1 1 1 -1\n");
  EXPECT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  const MaterialTable& materials = reader.model.materials;
  ASSERT_EQ(materials.Count(), 3);
  EXPECT_EQ(materials.materialName[0], "lead glass");
  EXPECT_EQ(materials.materialName[1], sixty.substr(0, 50));
  EXPECT_EQ(materials.materialName[2], "");
  EXPECT_EQ(materials.materialId[2], 3);
}

TEST(Materials, DuplicatesAndUnclosedNamesStop) {
  ExpectEachStops("", {
                          {"M1\nM1e0", "Error: Duplicate material identifier \"M1\".\n"},
                          {"M1 \"open", "Error: Missing closing quote in the name of a material.\n"},
                          {"M1x",
                           "Error in specification of the material \"M1x\" (the first keyword format must be \"M<n>\", "
                           "where \"<n>\" is a positive integer number less than 2^31 = 2147483648.\n"},
                      });
}

TEST(Cells, VoidCellEntersItsMaterialAndMayNameIt) {
  ReaderFixture reader;
  std::string sixty(60, 'v');
  ReadOutcome outcome = reader.Read("S1 S 0 0 0 1\nS2 S 0 0 0 3\nC1 0 -1\nC2 -4 \"" + sixty + "\" -2 #1\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  const MaterialTable& materials = reader.model.materials;
  ASSERT_EQ(materials.Count(), 2);
  EXPECT_EQ(materials.materialId[0], 0);
  EXPECT_EQ(materials.materialId[1], -4);
  EXPECT_EQ(materials.materialName[1], sixty.substr(0, 50));
  const CellRecord& cell = Cell(reader.model, 1);
  EXPECT_EQ(cell.concentration, 0);
  ASSERT_EQ(cell.surfaceCount(), 1);
  EXPECT_EQ(cell.senses[0], -1);
  EXPECT_EQ(cell.enclosingCell, 1);
  EXPECT_EQ(Cell(reader.model, 2).material, 1);
}

TEST(Cells, ConcentrationMayBeNegativeButNotZero) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read(std::string(kSpheres) + "C3 1 -2.7 -1\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  EXPECT_EQ(Cell(reader.model, 3).concentration, -2.7);
  ExpectEachStops(kSpheres,
                  {
                      {"C3 1 0 -1", "Error: Zero concentration value in the definition of a cell.\n"},
                      {"C3 1 1x -1", "Error: Invalid concentration value \"1x\" in the definition of a cell.\n"},
                      {"C3 1", "Error: Missing concentration value in the definition of a cell.\n"},
                      {"C3 2 1 -1", "Error: Undefined material identifier \"2\".\n"},
                      {"C3 1.0 1 -1", "Error: Invalid material identifier \"1.0\" in the definition of a cell.\n"},
                      {"C3", "Error: Missing specification of a cell.\n"},
                      {"C3 1 1", "Error: There are no bounding surfaces listed in the definition of cell 3.\n"},
                      {"C3 1 1 VOL 2", "Error: There are no bounding surfaces listed in the definition of cell 3.\n"},
                  });
}

TEST(Cells, OptionsAreStoredAndCheckedOnce) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read(std::string(kSpheres) + "C4 1 1 CUT_E 0.01 cut_p 0.001 VOL 3 FORCE 1 -1\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  const CellRecord& cell = Cell(reader.model, 4);
  EXPECT_EQ(cell.cutoffElectron, 0.01);
  EXPECT_EQ(cell.cutoffPhoton, 0.001);
  EXPECT_EQ(cell.force, 1);
  EXPECT_EQ(Cell(reader.model, 4).surfaceCount(), 1);

  ExpectEachStops(
      kSpheres,
      {
          {"C4 1 1 -1 CUT_E 0",
           "Error: Illegal value \"0\" of the cutoff energy in the definition of a cell (it must be a positive "
           "number).\n"},
          {"C4 1 1 -1 CUT_P", "Error: Missing value of the cutoff energy in the definition of a cell.\n"},
          {"C4 1 1 -1 VOL -3",
           "Error: Illegal value \"-3\" of the cell volume in the definition of a cell (it must be a positive "
           "number).\n"},
          {"C4 1 1 -1 FORCE 2",
           "Error: Illegal value \"2\" of the option to apply interaction forcing in a cell (it must be 0 or 1).\n"},
          {"C4 1 1 -1 FORCE", "Error: Missing value of the option to apply interaction forcing in a cell.\n"},
          // A keyword given twice is taken as a surface reference.
          {"C4 1 1 -1 FORCE 0 FORCE 1",
           "Error: Invalid object identifier \"FORCE\" (it must be a positive integer number less than 2^31 = "
           "2147483648.\n"},
      });
}

TEST(Cells, DuplicatesAndTheModeRule) {
  ExpectEachStops("", {
                          {"M1\nS1 S 0 0 0 1\nC1 1 1 -1\nC1 1 1 -1", "Error: Duplicate cell identifier \"C1\".\n"},
                          {"MAT\nC1 1 1 -1",
                           "Error: Keyword \"C<n>\" can be used only in complex geometry mode, but the previous "
                           "directives imply simple geometry.\n"},
                      });
}

TEST(Complements, EnclosingCellsAreRecordedOnce) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read(std::string(kSpheres) + "C1 1 1 -2\nC2 1 1 -3\nC5 1 1 -1 #1 #2\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  EXPECT_EQ(Cell(reader.model, 1).enclosingCell, 2);
  EXPECT_EQ(Cell(reader.model, 2).enclosingCell, 2);
  EXPECT_EQ(Cell(reader.model, 5).complementCells, (std::vector<std::int32_t>{0, 1}));

  // Naming a cell twice after "#" in one definition is naming it once.
  ReaderFixture twice;
  outcome = twice.Read(std::string(kSpheres) + "C1 1 1 -2\nC5 1 1 -1 #1 #1\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  EXPECT_EQ(Cell(twice.model, 1).enclosingCell, 1);
  EXPECT_EQ(Cell(twice.model, 5).complementCells, (std::vector<std::int32_t>{0}));

  ExpectEachStops(
      kSpheres,
      {
          {"C4 1 1 -2\nC5 1 1 -1 #4\nC6 1 1 -1 #4",
           "Error: Cell 4 cannot be inside cell 6, because it is inside cell 5.\n"},
          {"C5 1 1 -1 #4", "Error: The cell identifier \"4\" after the complement operator \"#\" is undefined.\n"},
          {"C5 1 1 -1 #x", "Error in specification of a cell \"#x\" after the complement operator \"#\".\n"},
          {"C1 1 1 -2\nC2 1 1 -3\nUNION1 1 1 1 2\nC5 1 1 -1 #2",
           "Error: Cell 2 cannot be specified after the complement operator, because it is a part of a union of "
           "cells.\n"},
      });
}

constexpr const char* kCopyBase =
    "TR1 0 0 0\nTR2 10 0 0\nTR3 0 0 0 0 1 0 -1 0 0\nM1\nS1 S 0 0 0 1\nS2 P 1 0 0 0.5\nC3 1 1 -1 -2\n";

TEST(CellCopies, SurfacesAreMovedAndCoincidingOnesReused) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read(std::string(kCopyBase) + "C7 1 2 TR2 3 CUT_E 0.5\nC9 1 1 TR1 3\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  const GeometryModel& model = reader.model;
  const CellRecord& copy = Cell(model, 7);
  EXPECT_EQ(copy.copyRoot, 0);
  EXPECT_EQ(copy.concentration, 2);
  EXPECT_EQ(copy.cutoffElectron, 0.5);
  ASSERT_EQ(copy.surfaceCount(), 2);
  const SurfaceRecord& sphere = model.surfaces[copy.surfaces[0]];
  EXPECT_EQ(sphere.point, (Vec3{10, 0, 0}));
  EXPECT_EQ(sphere.facetNumber, 0);
  EXPECT_EQ(model.surfaces[copy.surfaces[1]].planeConstant, -10.5);
  EXPECT_EQ(model.cellTransforms[1].origin, (Vec3{10, 0, 0}));
  // The identity maps onto the original's own surfaces.
  const CellRecord& same = Cell(model, 9);
  EXPECT_EQ(same.surfaces, Cell(model, 3).surfaces);
  EXPECT_EQ(same.senses, Cell(model, 3).senses);
  EXPECT_EQ(model.surfaces.size(), 4u);
}

TEST(CellCopies, ACopyOfACopyComposesTheTransformations) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read(std::string(kCopyBase) + "C7 1 1 TR2 3\nC8 1 1 TR3 7\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  const GeometryModel& model = reader.model;
  const CellRecord& second = Cell(model, 8);
  EXPECT_EQ(second.copyRoot, 0);
  const TransformRecord& composed = model.cellTransforms[2];
  // TR3 turns x into y: the copy of (10, 0, 0) lies at (0, 10, 0).
  EXPECT_NEAR(composed.origin.x, 0, 1e-12);
  EXPECT_NEAR(composed.origin.y, 10, 1e-12);
  const SurfaceRecord& sphere = model.surfaces[second.surfaces[0]];
  EXPECT_NEAR(sphere.point.y, 10, 1e-12);
  EXPECT_NEAR(model.surfaces[second.surfaces[1]].direction.y, 1, 1e-12);
}

TEST(CellCopies, AReusedPlaneFacingTheOtherWayFlipsTheSense) {
  ReaderFixture reader;
  // A half turn about z maps the plane x = 0.5 onto x = -0.5, where S3 faces the other way.
  ReadOutcome outcome = reader.Read(
      "TR4 0 0 0 -1 0 0 0 -1 0\nM1\nS1 S 0 0 0 1\nS2 P 1 0 0 0.5\nS3 P 1 0 0 -0.5\nC3 1 1 -1 -2\nC4 1 1 TR4 3\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  const CellRecord& copy = Cell(reader.model, 4);
  EXPECT_EQ(copy.surfaces[1], reader.model.FindRegularSurface(3));
  EXPECT_EQ(copy.senses[1], 1);
}

TEST(CellCopies, Messages) {
  ExpectEachStops(
      kCopyBase,
      {
          {"C7 1 1 TR9 3", "Error: Unknown coordinate transformation \"TR9\" in the definition of a cell.\n"},
          {"C7 1 1 TR1x 3",
           "Error: Invalid identifier of coordinate transformation \"TR1x\" in the definition of a cell.\n"},
          {"C7 1 1 TR1 3 TR2 3",
           "Error: Multiple coordinate transformations of the original cell specified in the definition of a cell.\n"},
          {"C7 1 1 -1 TR1 3",
           "Error: A coordinate transformation of the original cell cannot be specified in the definition of a cell "
           "after specifying the bounding surfaces.\n"},
          {"C7 1 1 TR1", "Error: Missing identifier of the original cell after \"TR1\" in the definition of a cell.\n"},
          {"C7 1 1 TR1 0.2",
           "Error: Invalid identifier of the original cell \"0.2\" after \"TR1\" in the definition of a cell.\n"},
          {"C7 1 1 TR1 5",
           "Error: Unknown identifier of the original cell \"5\" after \"TR1\" in the definition of a cell.\n"},
          {"C7 1 1 TR1 3 -1",
           "Error: Bounding surfaces cannot be specified in the definition of a cell after specifying the coordinate "
           "transformation of the original cell.\n"},
      });
}

std::string ManyCells(int count) {
  std::string text = "M1\nS1 S 0 0 0 1\n";
  for (int k = 1; k <= count; ++k) text += "C" + std::to_string(k) + " 1 1 -1\n";
  return text;
}

TEST(Cells, TheCellTableHoldsAtMost5000) {
  ReaderFixture reader;
  ReadOutcome full = reader.Read(ManyCells(5000));
  EXPECT_EQ(full.status, InputReadStatus::Loaded) << full.console.substr(0, 200);
  EXPECT_EQ(reader.model.cells.size(), 5000u);
  ReadOutcome over = reader.Read(ManyCells(5001));
  EXPECT_EQ(over.status, InputReadStatus::Stopped);
  EXPECT_EQ(LastLine(over.console), "Error: The number of cells is greater than 5000.\n");
}

TEST(Cells, ASecondReadYieldsTheSameTables) {
  ReaderFixture reader;
  std::string text = std::string(kCopyBase) + "C7 1 1 TR2 3\nC8 1 1 TR3 7 #3\n";
  ASSERT_EQ(reader.Read(text).status, InputReadStatus::Loaded);
  GeometryModel first = reader.model;
  ASSERT_EQ(reader.Read(text).status, InputReadStatus::Loaded);
  ASSERT_EQ(first.cells.size(), reader.model.cells.size());
  for (std::size_t k = 0; k < first.cells.size(); ++k) {
    EXPECT_EQ(first.cells[k].surfaces, reader.model.cells[k].surfaces);
    EXPECT_EQ(first.cells[k].enclosingCell, reader.model.cells[k].enclosingCell);
  }
  EXPECT_EQ(first.surfaces.size(), reader.model.surfaces.size());
}

}  // namespace
}  // namespace tessarin::input::testing
