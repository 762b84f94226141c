// The source directives and the layer geometry of simple mode: what the
// model holds after a read, the defaults, and the messages.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "cells_test_support.h"
#include "reader_fixture.h"

namespace tessarin::input::testing {
namespace {

constexpr const char* kOneCell = "M1\nS1 S 0 0 0 1\nS2 S 5 0 0 1\nC1 1 1 -1\nC2 1 1 -2\n";

TEST(LayerGeometry, FrontAndRearPlanesBoundTheOneCell) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read("MAT \"silicon\"\nSurface 0 0 0 0 0 5 extra\nTHICK 0.1\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  const GeometryModel& model = reader.model;
  EXPECT_EQ(model.GeometryMode, kGeometryModeSimple);
  ASSERT_EQ(model.materials.Count(), 1);
  EXPECT_EQ(model.materials.materialId[0], 1);
  EXPECT_EQ(model.materials.materialName[0], "silicon");
  ASSERT_EQ(model.surfaces.size(), 2u);
  EXPECT_EQ(model.surfaces[0].facetNumber, 1);
  EXPECT_EQ(model.surfaces[0].direction, (Vec3{0, 0, 1}));
  EXPECT_EQ(model.surfaces[1].facetNumber, 2);
  ExpectNear(model.surfaces[1].point, {0, 0, 0.1});
  EXPECT_NEAR(model.surfaces[1].planeConstant, -0.1, 1e-15);
  ASSERT_EQ(model.cells.size(), 1u);
  const CellRecord& cell = model.cells[0];
  EXPECT_EQ(cell.id, 1);
  EXPECT_EQ(cell.material, 0);
  EXPECT_EQ(cell.surfaces, (std::vector<std::uint16_t>{0, 1}));
  EXPECT_EQ(cell.senses, (std::vector<std::int8_t>{1, -1}));
  EXPECT_EQ(cell.originMacrobody, (std::vector<std::int16_t>{0, 0}));
}

TEST(LayerGeometry, WithoutThicknessTheCellIsAHalfSpace) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read("MAT\nTHICK -1\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  ASSERT_EQ(reader.model.surfaces.size(), 1u);
  EXPECT_EQ(reader.model.surfaces[0].point, (Vec3{0, 0, 0}));
  EXPECT_EQ(reader.model.surfaces[0].direction, (Vec3{0, 0, 1}));
  EXPECT_EQ(reader.model.cells[0].senses, (std::vector<std::int8_t>{1}));

  // A slanted front plane keeps its normalised normal; the layer still has material 1.
  ReadOutcome slanted = reader.Read("Surface 1 0 0 3 0 4\nTHICK 2\n");
  ASSERT_EQ(slanted.status, InputReadStatus::Loaded) << slanted.console;
  ExpectNear(reader.model.surfaces[0].direction, {0.6, 0, 0.8});
  ExpectNear(reader.model.surfaces[1].point, {2.2, 0, 1.6});
  EXPECT_EQ(reader.model.materials.Count(), 1);
}

TEST(LayerGeometry, Messages) {
  ExpectEachStops(
      "",
      {
          {"Surface 0 0 0 0 0",
           "Error: Number of entries in specification of the front surface of the layer is less "
           "than 6.\n"},
          {"Surface 0 0 z 0 0 1", "Error: Invalid number \"z\" in specification of the front surface of the layer.\n"},
          {"Surface 0 0 0 0 0 0",
           "Error in values of components of the normal vector of the front surface of the layer "
           "(at least one of them must be non-zero).\n"},
          {"THICK", "Error: Thickness value is missing.\n"},
          {"MAT \"open", "Error: Missing closing quote in the name of the material.\n"},
          {"M1\nMAT",
           "Error: Keyword \"MAT\" can be used only in simple geometry mode, but the previous directives "
           "imply complex geometry.\n"},
          {"THICK 1\nSOURCE_POSITION 1 0 0 0",
           "Error: Keyword \"SOURCE_POSITION\" can be used only in complex geometry mode, but the previous directives "
           "imply simple geometry.\n"},
      });
}

TEST(Source, DefaultsAreAPointAtTheOriginAndABeamAlongZ) {
  ReaderFixture reader;
  ASSERT_EQ(reader.Read(kOneCell).status, InputReadStatus::Loaded);
  const SourceSpec& source = reader.model.source;
  EXPECT_EQ(source.positionType, 1);
  EXPECT_EQ(source.directionType, 1);
  EXPECT_EQ(source.beamStart, (Vec3{0, 0, 0}));
  EXPECT_EQ(source.direction, (Vec3{0, 0, 1}));
  EXPECT_EQ(source.sourceCell, -1);
}

TEST(Source, BeamSetsPositionAndDirection) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read(std::string(kOneCell) + "BEAM 1 2 3 0 3 4\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  const SourceSpec& source = reader.model.source;
  EXPECT_EQ(source.beamStart, (Vec3{1, 2, 3}));
  EXPECT_EQ(source.centre, (Vec3{1, 2, 3}));
  ExpectNear(source.direction, {0, 0.6, 0.8});
  // Simple geometry takes a beam too.
  EXPECT_EQ(reader.Read("MAT\nBEAM 0 0 -1 0 0 1\n").status, InputReadStatus::Loaded);
}

TEST(Source, PlaneDistributionWithoutSpreadIsAPointSource) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read(std::string(kOneCell) + "SOURCE_POSITION 2 1 2 3 0 0 2 0 0\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  EXPECT_EQ(reader.model.source.positionType, 1);
  EXPECT_EQ(reader.model.source.beamStart, (Vec3{1, 2, 3}));

  ReadOutcome spread = reader.Read(std::string(kOneCell) + "SOURCE_POSITION 2 1 2 3 0 0 2 0.5 0.1\n");
  ASSERT_EQ(spread.status, InputReadStatus::Loaded) << spread.console;
  const SourceSpec& source = reader.model.source;
  EXPECT_EQ(source.positionType, 2);
  EXPECT_EQ(source.planeNormal, (Vec3{0, 0, 1}));
  EXPECT_EQ(source.uniformRadius, 0.5);
  EXPECT_EQ(source.gaussianWidth, 0.1);
  EXPECT_EQ(source.beamStart, (Vec3{0, 0, 0}));
}

TEST(Source, CellSourceAndCone) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read(std::string(kOneCell) + "SOURCE_POSITION 3 2\nSOURCE_DIRECTION 2 0 0 -2 60\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  const SourceSpec& source = reader.model.source;
  EXPECT_EQ(source.positionType, 3);
  EXPECT_EQ(source.sourceCell, 1);
  EXPECT_EQ(source.directionType, 2);
  EXPECT_EQ(source.direction, (Vec3{0, 0, -1}));
  EXPECT_NEAR(source.cosConeAngle, 0.5, 1e-15);

  ASSERT_EQ(reader.Read(std::string(kOneCell) + "UNION1 1 1 1 2\nSOURCE_POSITION 3 1\nSOURCE_DIRECTION 3\n").status,
            InputReadStatus::Loaded);
  EXPECT_EQ(reader.model.source.sourceCell, 0);
  EXPECT_EQ(reader.model.source.directionType, 3);
}

TEST(Source, Messages) {
  ExpectEachStops(
      kOneCell,
      {
          {"SOURCE_DIRECTION 3\nBEAM 0 0 0 0 0 1",
           "Error: Keyword \"BEAM\" cannot be used after specifying the initial position or the direction of the "
           "source "
           "particles.\n"},
          {"BEAM 0 0 0 0 0 1\nSOURCE_DIRECTION 3",
           "Error: Keyword \"SOURCE_DIRECTION\" cannot be used after specifying the direction of the source "
           "particles.\n"},
          {"BEAM 0 0 0 0 0 1\nSOURCE_POSITION 1 0 0 0",
           "Error: Keyword \"SOURCE_POSITION\" cannot be used after specifying the position of the source.\n"},
          {"BEAM 0 0 0 0 0", "Error: Number of entries in specification of the incident beam is less than 6.\n"},
          {"BEAM 0 0 0 0 0 q", "Error: Invalid number \"q\" in specification of the incident beam.\n"},
          {"BEAM 0 0 0 0 0 0",
           "Error in values of components of the direction vector of the incident beam (at least one "
           "of them must be non-zero).\n"},
          {"SOURCE_POSITION",
           "Error: Missing specification of the source position type (it should be 1 for a point source, 2 for a "
           "rotationally symmetric distribution on a plane, or 3 for a uniform distribution inside an arbitrary cell "
           "with finite dimensions).\n"},
          {"SOURCE_POSITION 4 0 0 0",
           "Error: Invalid specification of the source position type \"4\" (it should be 1 for a point source, 2 for a "
           "rotationally symmetric distribution on a plane, or 3 for a uniform distribution inside an arbitrary cell "
           "with finite dimensions).\n"},
          {"SOURCE_POSITION 1", "Error: Missing specification of the source position.\n"},
          {"SOURCE_POSITION 1 0 0",
           "Error: At least one of the three source center coordinates has not been specified.\n"},
          {"SOURCE_POSITION 1 0 x 0", "Error: \"x\" is not a valid value of a source coordinate.\n"},
          {"SOURCE_POSITION 3 c1", "Error: \"c1\" is not a valid identifier of the source cell.\n"},
          {"SOURCE_POSITION 3 9", "Error: Undefined cell identifier \"9\" in the definition of the source cell.\n"},
          {"UNION1 1 1 1 2\nSOURCE_POSITION 3 2",
           "Error: A cell that is a part of a union can be defined as a source cell only if it the first cell of the "
           "union.\n"},
          {"SOURCE_POSITION 2 0 0 0", "Error: Missing specification of the source surface normal.\n"},
          {"SOURCE_POSITION 2 0 0 0 0 1",
           "Error: At least one of the three components of the source surface normal has not been specified.\n"},
          {"SOURCE_POSITION 2 0 0 0 0 n 1",
           "Error: \"n\" is not a valid value of a component of a source surface normal.\n"},
          {"SOURCE_POSITION 2 0 0 0 0 0 0 1 1",
           "Error in values of components of the source surface normal vector (at least one of them must be "
           "non-zero).\n"},
          {"SOURCE_POSITION 2 0 0 0 0 0 1",
           "Error: Missing value of the radius of the area with constant surface density of the source.\n"},
          {"SOURCE_POSITION 2 0 0 0 0 0 1 -1 0",
           "Error: \"-1\" is not a valid value of the radius of the area with constant surface density of the "
           "source.\n"},
          {"SOURCE_POSITION 2 0 0 0 0 0 1 1", "Error: Missing value of the source Gaussian RMS width.\n"},
          {"SOURCE_POSITION 2 0 0 0 0 0 1 1 w",
           "Error: \"w\" is not a valid value of the source Gaussian RMS width.\n"},
          {"SOURCE_DIRECTION",
           "Error: Missing specification of the source direction type (it should be 1 for a parallel beam, 2 for a "
           "uniform distribution inside a cone, or 3 for the isotropic distribution).\n"},
          {"SOURCE_DIRECTION 1.5",
           "Error: Invalid specification of the source direction type \"1.5\" (it should be 1 for a parallel beam, 2 "
           "for a uniform distribution inside a cone, or 3 for the isotropic distribution).\n"},
          {"SOURCE_DIRECTION 1", "Error: Missing specification of the source direction vector.\n"},
          {"SOURCE_DIRECTION 1 0 1",
           "Error: At least one of three components of the source direction vector has not been specified.\n"},
          {"SOURCE_DIRECTION 1 0 1 v",
           "Error: \"v\" is not a valid value of a component of the source direction vector.\n"},
          {"SOURCE_DIRECTION 1 0 0 0",
           "Error in values of components of the direction vector of the incident beam (at "
           "least one of them must be non-zero).\n"},
          {"SOURCE_DIRECTION 2 0 0 1", "Error: Missing specification of the source cone angle.\n"},
          {"SOURCE_DIRECTION 2 0 0 1 180",
           "Error: \"180\" is not a valid value of the source cone angle (it must be between 0 and 180 degrees).\n"},
          {"SOURCE_DIRECTION 2 0 0 1 0",
           "Error: \"0\" is not a valid value of the source cone angle (it must be between 0 and 180 degrees).\n"},
      });
}

}  // namespace
}  // namespace tessarin::input::testing
