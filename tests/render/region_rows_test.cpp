#include "render/region_rows.h"

#include <gtest/gtest.h>

#include "settings/colors.h"

namespace tessarin::render {
namespace {

// A model with the given materials (identifier, name) and one cell for each
// material index listed in `cellMaterials`.
input::GeometryModel Model(const std::vector<std::pair<int, std::string>>& materials,
                           const std::vector<int>& cellMaterials, int sourcePositionType = 1) {
  input::GeometryModel model;
  for (const auto& [id, name] : materials) {
    model.materials.materialId.push_back(id);
    model.materials.materialName.push_back(name);
  }
  int id = 1;
  for (int material : cellMaterials) {
    input::CellRecord cell;
    cell.id = id++;
    cell.material = material;
    model.cells.push_back(cell);
  }
  model.source.positionType = sourcePositionType;
  return model;
}

std::vector<std::string> Names(const settings::VIEWPARM& set) {
  std::vector<std::string> names;
  for (const settings::REGIONDATA& row : set.rows) names.push_back(row.name);
  return names;
}

bool Rebuild(const input::GeometryModel& model, settings::VIEWPARM& set) {
  PaletteUsage usage;
  usage.CountRows(set.rows);
  return RebuildRegionRows(model, set, usage);
}

TEST(RegionRows, OneNamedRowPerUsedMaterialInTableOrderThenTheSource) {
  // Material 7 has no cell; cells list the water before the fuel.
  input::GeometryModel model = Model({{1, "fuel"}, {7, ""}, {2, "water"}, {0, ""}, {-3, "gas"}}, {2, 0, 3, 4, 2});
  settings::VIEWPARM set;
  set.rows.resize(2);
  EXPECT_TRUE(Rebuild(model, set));
  EXPECT_EQ(Names(set), (std::vector<std::string>{"M1 (fuel)", "M2 (water)", "V0", "V3 (gas)", "M_source"}));
}

TEST(RegionRows, TheSourceRowNeedsAPointOrPlaneSourceAndASourceSize) {
  settings::VIEWPARM set;
  set.sourceSizeRatio = 0;
  Rebuild(Model({{1, ""}}, {0}), set);
  EXPECT_EQ(set.rows[1].name, "");
  set.sourceSizeRatio = 0.01;
  Rebuild(Model({{1, ""}}, {0}, 3), set);  // a source inside a cell has no sphere
  EXPECT_EQ(set.rows[1].name, "");
  Rebuild(Model({{1, ""}}, {0}, 2), set);
  EXPECT_EQ(set.rows[1].name, "M_source");
}

TEST(RegionRows, RowsKeepTheirValuesAndRowsBeyondTheRegionsLoseOnlyTheirNames) {
  settings::VIEWPARM set;  // 13 palette rows
  set.rows[0].transparency = 0.75;
  set.rows[0].show = 0;
  set.rows[0].color = settings::MakeColor(10, 20, 30, true);
  set.rows[5].name = "M9 (old)";
  set.sourceSizeRatio = 0;
  settings::VIEWPARM before = set;
  EXPECT_TRUE(Rebuild(Model({{4, "lead"}}, {0}), set));
  ASSERT_EQ(set.rows.size(), 13u);
  EXPECT_EQ(set.rows[0].name, "M4 (lead)");
  EXPECT_EQ(set.rows[5].name, "");
  for (std::size_t i = 0; i < set.rows.size(); ++i) {
    EXPECT_EQ(set.rows[i].color, before.rows[i].color) << i;
    EXPECT_EQ(set.rows[i].transparency, before.rows[i].transparency) << i;
    EXPECT_EQ(set.rows[i].show, before.rows[i].show) << i;
  }
  // The same read again changes no name.
  EXPECT_FALSE(Rebuild(Model({{4, "lead"}}, {0}), set));
}

TEST(RegionRows, NewRowsTakeThePaletteColoursNoRowHasThenCountOnByRowIndex) {
  settings::VIEWPARM set;
  set.sourceSizeRatio = 0;
  set.rows.resize(2);  // palette colours 0 and 1
  set.rows[0].color = settings::MakeColor(1, 2, 3, true);  // palette colour 0 is free again
  std::vector<std::pair<int, std::string>> materials;
  std::vector<int> cells;
  for (int i = 0; i < 20; ++i) {
    materials.push_back({i + 1, ""});
    cells.push_back(i);
  }
  PaletteUsage usage;
  usage.CountRows(set.rows);
  EXPECT_EQ(usage.ColorsInUse(), 1);
  RebuildRegionRows(Model(materials, cells), set, usage);
  ASSERT_EQ(set.rows.size(), 20u);
  EXPECT_TRUE(set.rows[2].color.SameRgb(settings::kMaterialPalette[0]));
  for (std::size_t i = 3; i <= 17; ++i) EXPECT_TRUE(set.rows[i].color.SameRgb(settings::kMaterialPalette[i - 1])) << i;
  // Every palette colour is taken now: row 18 gets colour 18 mod 17.
  EXPECT_EQ(usage.ColorsInUse(), 17);
  EXPECT_TRUE(set.rows[18].color.SameRgb(settings::kMaterialPalette[1]));
  EXPECT_TRUE(set.rows[19].color.SameRgb(settings::kMaterialPalette[2]));
  EXPECT_EQ(usage.RowsWith(1), 2);
  EXPECT_EQ(set.rows[19].color.nameIndex, settings::DeriveColorNameIndex(128, 255, 255, true));
  EXPECT_DOUBLE_EQ(set.rows[19].transparency, 0.3);
}

TEST(RegionRows, PaletteCountsFollowColourChanges) {
  PaletteUsage usage;
  usage.CountRows(settings::DefaultRegionRows());
  EXPECT_EQ(usage.ColorsInUse(), 13);
  usage.Remove(settings::kMaterialPalette[0]);
  EXPECT_TRUE(usage.ColorForNewRow(40).SameRgb(settings::kMaterialPalette[0]));
  usage.Add(settings::kMaterialPalette[0]);
  EXPECT_TRUE(usage.ColorForNewRow(40).SameRgb(settings::kMaterialPalette[13]));
  usage.Add(settings::MakeColor(1, 1, 1, true));  // not a palette colour: not counted
  EXPECT_EQ(usage.ColorsInUse(), 13);
}

TEST(RegionRows, LongNamesAreShortenedToWhatARowHoldsAndExtremeIdentifiersPrint) {
  input::MaterialTable materials;
  materials.materialId = {2147483647, -2147483647 - 1};
  materials.materialName = {std::string(50, 'x'), ""};
  std::string name = RegionRowName(materials, 0);
  EXPECT_EQ(name.size(), settings::kMaxRowNameLength);
  EXPECT_EQ(name.substr(0, 13), "M2147483647 (");
  EXPECT_EQ(name.back(), ')');
  EXPECT_EQ(RegionRowName(materials, 1), "V2147483648");
}

}  // namespace
}  // namespace tessarin::render
