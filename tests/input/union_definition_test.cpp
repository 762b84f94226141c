// Unions of cells: what the listed cells take from the union, which cells
// may be joined, and the messages for bad union directives.

#include <gtest/gtest.h>

#include <string>

#include "cells_test_support.h"
#include "reader_fixture.h"

namespace tessarin::input::testing {
namespace {

// Cells 1 and 2 at the top level, 3 and 4 inside cell 5, 6 inside cell 7.
constexpr const char* kCells =
    "M1\nM2\nS1 S 0 0 0 1\nS2 S 5 0 0 1\nS3 S 0 0 0 3\nS4 S 5 0 0 3\n"
    "C1 1 1 -1\nC2 1 1 -2\nC3 1 1 -1\nC4 1 1 -2\nC5 1 1 -3 #3 #4\nC6 1 1 -2\nC7 1 1 -4 #6\n";

TEST(Unions, ListedCellsTakeTheUnionsFill) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read(std::string(kCells) + "UNION9 2 0.5 CUT_E 2 FORCE 0 1 2\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  const GeometryModel& model = reader.model;
  ASSERT_EQ(model.unions.size(), 1u);
  EXPECT_EQ(model.unions[0].id, 9);
  EXPECT_EQ(model.unions[0].cells, (std::vector<std::int16_t>{0, 1}));
  for (int k = 0; k < 2; ++k) {
    const CellRecord& cell = model.cells[static_cast<std::size_t>(k)];
    EXPECT_EQ(cell.unionIndex, 0);
    EXPECT_EQ(cell.material, 1);
    EXPECT_EQ(cell.concentration, 0.5);
    EXPECT_EQ(cell.cutoffElectron, 2);
    EXPECT_EQ(cell.cutoffPhoton, -1);
    EXPECT_EQ(cell.force, 0);
  }
}

TEST(Unions, AVoidUnionEntersItsMaterial) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read(std::string(kCells) + "UNION1 -3 \"gap\" 3 4\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  const MaterialTable& materials = reader.model.materials;
  ASSERT_EQ(materials.Count(), 3);
  EXPECT_EQ(materials.materialId[2], -3);
  EXPECT_EQ(materials.materialName[2], "gap");
  EXPECT_EQ(reader.model.cells[2].concentration, 0);
}

TEST(Unions, CellsMustLieAtTheSameDepth) {
  ReaderFixture reader;
  // Both inside cell 5.
  EXPECT_EQ(reader.Read(std::string(kCells) + "UNION1 1 1 3 4\n").status, InputReadStatus::Loaded);
  // A top-level cell and one inside cell 5.
  EXPECT_EQ(LastLine(reader.Read(std::string(kCells) + "UNION1 1 1 1 3\n").console),
            "Geometry error: Cells 1 and 3 cannot be parts of the same union of cells, because their depth levels "
            "are different, or because they are inside different cells, which are not themselves parts of a union "
            "of cells.\n");
  // Inside two top-level cells: their enclosing cells share the top level.
  EXPECT_EQ(reader.Read(std::string(kCells) + "UNION1 1 1 3 6\n").status, InputReadStatus::Loaded);
}

TEST(Unions, CellsInsideCellsOfOneUnionMayJoin) {
  std::string text =
      "M1\nS1 S 0 0 0 1\nS2 S 5 0 0 1\nS3 S 0 0 0 3\nS4 S 5 0 0 3\nS5 S 0 0 0 20\nS6 S 5 0 0 20\n"
      "C1 1 1 -1\nC2 1 1 -2\nC3 1 1 -3 #1\nC4 1 1 -4 #2\nC5 1 1 -5 #3\nC6 1 1 -6 #4\n";
  ReaderFixture reader;
  // 1 and 2 lie in 3 and 4, which lie in the different cells 5 and 6 ...
  EXPECT_EQ(reader.Read(text + "UNION1 1 1 1 2\n").status, InputReadStatus::Stopped);
  // ... unless 3 and 4 are parts of one union.
  ReadOutcome joined = reader.Read(text + "UNION7 1 1 3 4\nUNION1 1 1 1 2\n");
  EXPECT_EQ(joined.status, InputReadStatus::Loaded) << joined.console;
}

TEST(Unions, Messages) {
  ExpectEachStops(
      kCells,
      {
          {"UNION1", "Error: Missing specification of a union of cells.\n"},
          {"UNION1 x", "Error: Invalid material identifier \"x\" in the definition of a union of cells.\n"},
          {"UNION1 5 1 1 2", "Error: Undefined material identifier \"5\".\n"},
          {"UNION1 1", "Error: Missing concentration value in the definition of a union of cells.\n"},
          {"UNION1 1 a", "Error: Invalid concentration value \"a\" in the definition of a union of cells.\n"},
          {"UNION1 1 0", "Error: Zero concentration value in the definition of a union of cells.\n"},
          {"UNION1 1 1", "Error: There are no cells listed in the definition of a union of cells.\n"},
          {"UNION1 1 1 CUT_P 1", "Error: There are no cells listed in the definition of a union of cells.\n"},
          {"UNION1 1 1 1", "Error: Only one cell is listed in the definition of a union of cells.\n"},
          {"UNION1 1 1 1 2.5", "Error: Invalid cell identifier \"2.5\".\n"},
          {"UNION1 1 1 1 0", "Error: Invalid cell identifier \"0\".\n"},
          {"UNION1 1 1 1 8", "Error: Undefined cell identifier \"8\".\n"},
          {"UNION1 1 1 1 1", "Error: Cell 1 is already included in another union of cells.\n"},
          {"UNION1 1 1 1 2\nUNION2 1 1 2 3", "Error: Cell 2 is already included in another union of cells.\n"},
          {"UNION1 1 1 CUT_E -1 1 2",
           "Error: Illegal value \"-1\" of the cutoff energy in the definition of a union of cells (it must be a "
           "positive number).\n"},
          {"UNION1 1 1 1 2 CUT_E",
           "Error: Missing value of the cutoff energy in the definition of a union of cells.\n"},
          {"UNION1 1 1 VOL", "Error: Missing value of the cell volume in the definition of a union of cells.\n"},
          {"UNION1 1 1 VOL 0 1 2",
           "Error: Illegal value \"0\" of the cell volume in the definition of a union of cells (it must be a positive "
           "number).\n"},
          {"UNION1 1 1 FORCE",
           "Error: Missing value of the option to apply interaction forcing in a union of cells.\n"},
          {"UNION1 1 1 FORCE yes",
           "Error: Illegal value \"yes\" of the option to apply interaction forcing in a union of cells (it must be 0 "
           "or 1).\n"},
          {"SOURCE_POSITION 3 2\nUNION1 1 1 1 2",
           "Error: Cell 2, which is used in the definition of a union, was previously defined as a source cell (the "
           "source cell that is a union of cells must be defined after the union, and its definition must specify "
           "only the first cell of the union).\n"},
          {"UNION1x 1 1 1 2",
           "Error in specification of the union \"UNION1x\" (the first keyword format must be \"UNION<n>\", where "
           "\"<n>\" is a positive integer number less than 2^31 = 2147483648.\n"},
      });
  // Not a union directive at all: skipped like any unknown keyword.
  ReaderFixture reader;
  EXPECT_EQ(reader.Read(std::string(kCells) + "UNION0 1 1 1 2\n").status, InputReadStatus::Loaded);
}

}  // namespace
}  // namespace tessarin::input::testing
