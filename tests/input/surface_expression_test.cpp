// Bounding lists of cells and general macrobodies: signed surfaces, whole
// macrobodies, facets and bracket groups, redundant entries, region names,
// and clean refusals of malformed references.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cells_test_support.h"
#include "reader_fixture.h"

namespace tessarin::input::testing {
namespace {

constexpr const char* kBodies = "M1\nS1 S 0 0 0 10\nS2 S 0 0 0 1\nS5 RCC 0 0 0 0 0 3 1\nS6 RPP 5 6 5 6 5 6\n";

struct Bounds {
  ReadOutcome outcome;
  std::vector<std::uint16_t> surfaces;
  std::vector<std::int8_t> senses;
  std::vector<std::int16_t> originMacrobody;
  std::vector<std::int16_t> originFacet;
};

// Reads `cell` (the bounding references of cell 1) after the bodies above.
Bounds ReadCell(const std::string& cell, const std::string& before = kBodies) {
  ReaderFixture reader;
  Bounds bounds{reader.Read(before + "C1 1 1 " + cell + "\n"), {}, {}, {}, {}};
  int index = reader.model.FindCell(1);
  if (index < 0) return bounds;
  const CellRecord& record = reader.model.cells[static_cast<std::size_t>(index)];
  bounds.surfaces = record.surfaces;
  bounds.senses = record.senses;
  bounds.originMacrobody = record.originMacrobody;
  bounds.originFacet = record.originFacet;
  return bounds;
}

using Senses = std::vector<std::int8_t>;
using Origins = std::vector<std::int16_t>;

TEST(SurfaceExpressions, AWholeStandardMacrobodyNeedsTheMinusSign) {
  Bounds inside = ReadCell("-5");
  ASSERT_EQ(inside.outcome.status, InputReadStatus::Loaded) << inside.outcome.console;
  EXPECT_EQ(inside.senses, (Senses{-1, -1, -1}));
  EXPECT_EQ(inside.originMacrobody, (Origins{-1, -1, -1}));
  EXPECT_EQ(inside.originFacet, (Origins{1, 2, 3}));

  Bounds plus = ReadCell("5");
  EXPECT_EQ(plus.outcome.console,
            "Error: The identifier of a standard macrobody has been specified in the definition of cell 1 without "
            "the minus sign.\n");
}

TEST(SurfaceExpressions, AFacetWithPlusIsItsOuterSideAndWithMinusItsInnerSide) {
  Bounds outer = ReadCell("+5.2");
  ASSERT_EQ(outer.outcome.status, InputReadStatus::Loaded) << outer.outcome.console;
  EXPECT_EQ(outer.senses, (Senses{1}));
  EXPECT_EQ(outer.originMacrobody, (Origins{1}));
  EXPECT_EQ(outer.originFacet, (Origins{-2}));
  Bounds inner = ReadCell("-5.2");
  EXPECT_EQ(inner.senses, (Senses{-1}));
  EXPECT_EQ(inner.originMacrobody, (Origins{-1}));
  EXPECT_EQ(inner.surfaces, outer.surfaces);
}

TEST(SurfaceExpressions, BracketGroupsSpanTokensAndCarryTheirSign) {
  Bounds group = ReadCell("5.[1 2 3 ]");
  ASSERT_EQ(group.outcome.status, InputReadStatus::Loaded) << group.outcome.console;
  EXPECT_EQ(group.senses, (Senses{1, 1, 1}));
  EXPECT_EQ(group.originFacet, (Origins{-1, -2, -3}));

  Bounds negated = ReadCell("-5.[ 1 2 3]");
  EXPECT_EQ(negated.senses, (Senses{-1, -1, -1}));
  Bounds minusInside = ReadCell("5.[-1 2]");
  EXPECT_EQ(minusInside.senses, (Senses{-1, -1}));
  Bounds element = ReadCell("-5.[1 -2]");
  EXPECT_EQ(element.senses, (Senses{-1, 1}));

  // A bracket inside a bracket names another macrobody; both close at once.
  Bounds nested = ReadCell("-5.[1 -6.[1]]");
  ASSERT_EQ(nested.outcome.status, InputReadStatus::Loaded) << nested.outcome.console;
  EXPECT_EQ(nested.originMacrobody, (Origins{-1, 2}));
  EXPECT_EQ(nested.originFacet, (Origins{-1, -1}));
  EXPECT_EQ(nested.senses, (Senses{-1, 1}));
}

TEST(SurfaceExpressions, MalformedReferencesAreRefused) {
  ExpectEachStops(
      std::string(kBodies) + "C1 1 1 ",
      {
          {"-5.9", "Error: Macrobody 5 has less than 9 facets.\n"},
          {"5.[1 9]", "Error: Macrobody 5 has less than 9 facets.\n"},
          {"-7.1", "Error: There is no macrobody with ID 7.\n"},
          {"-5.", "Error: Separator '.' is not followed either by an identifier or the left bracket.\n"},
          {"-5/2", "Error: Separator '/' found in the definition of a cell or a general macrobody.\n"},
          {"-1*2", "Error: Separator '*' found in the definition of a cell or a general macrobody.\n"},
          {"99", "Error: Undefined surface identifier \"99\".\n"},
          {"0",
           "Error: Invalid object identifier \"0\" (it must be a positive integer number less than 2^31 = "
           "2147483648.\n"},
          {"2147483648",
           "Error: Invalid object identifier \"2147483648\" (it must be a positive integer number less "
           "than 2^31 = 2147483648.\n"},
          {"-1x",
           "Error: Invalid object identifier \"-1x\" (it must be a positive integer number less than 2^31 = "
           "2147483648.\n"},
          {"-5.2.1", "Error: Invalid macrobody facet identifier \"5.2.1\".\n"},
          {"-5.x",
           "Error: Invalid macrobody facet identifier \"5.x\" (it must be a positive integer number less than "
           "2^31 = 2147483648.\n"},
          {"-5.[1 2.3]", "Error: Separator '.' found in the sequence number of a macrobody facet.\n"},
          {"-5.[1 6.[1.2]]", "Error: Separator '.' found at bracket depth 2.\n"},
          {"-5.[6.[6.[1]]]", "Error: Separator '.' found at bracket depth 2.\n"},
          {"-5.[1]]",
           "Error: Invalid object identifier \"-5.[1]]\" (it must be a positive integer number less than 2^31 = "
           "2147483648.\n"},
          {"-2 ]",
           "Error: Invalid object identifier \"]\" (it must be a positive integer number less than 2^31 = "
           "2147483648.\n"},
          {"[[[[[[[[",
           "Error: Invalid object identifier \"[[[[[[[[\" (it must be a positive integer number less than "
           "2^31 = 2147483648.\n"},
          {"-99999999999999999999999",
           "Error: Invalid object identifier \"-99999999999999999999999\" (it must be a "
           "positive integer number less than 2^31 = 2147483648.\n"},
      });
}

TEST(SurfaceExpressions, ImpliedRegionsAreDropped) {
  // The small sphere lies inside the large one.
  Bounds spheres = ReadCell("-1 -2");
  ASSERT_EQ(spheres.outcome.status, InputReadStatus::Loaded);
  EXPECT_EQ(spheres.surfaces, (std::vector<std::uint16_t>{1}));
  // Facet 1 of the box already bounds it; listing it again changes nothing.
  Bounds repeated = ReadCell("-6 -6.1");
  EXPECT_EQ(repeated.surfaces.size(), 6u);
  EXPECT_EQ(repeated.originFacet.back(), -1);
}

std::string Repeated(const std::string& token, int count) {
  std::string text;
  for (int k = 0; k < count; ++k) {
    text += token + " ";
    if (k % 100 == 99) text += "&\n";
  }
  return text;
}

TEST(SurfaceExpressions, ABoundingListHoldsAtMost5000Entries) {
  Bounds full = ReadCell(Repeated("-2", 5000));
  EXPECT_EQ(full.outcome.status, InputReadStatus::Loaded) << full.outcome.console.substr(0, 200);
  EXPECT_EQ(full.surfaces.size(), 1u);
  Bounds over = ReadCell(Repeated("-2", 5001));
  EXPECT_EQ(over.outcome.console, "Error: The number of facets of cell 1 is greater than 5000.\n");
}

TEST(GeneralMacrobodies, FacetsComeFromTheReferencesAndCellsUseThemWhole) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read(std::string(kBodies) + "S3 MB -1 +2\nC1 1 1 3\nC2 1 1 -3.2\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  const MacrobodyRecord& body = Macrobody(reader.model, 3);
  EXPECT_EQ(body.kind, MacrobodyKind::General);
  EXPECT_EQ(body.copyRoot, -1);
  EXPECT_EQ(body.facetSenses, (Senses{-1, 1}));
  EXPECT_EQ(reader.model.surfaces[body.facetSurfaces[0]].useCount, 1);
  const CellRecord& whole = reader.model.cells[0];
  EXPECT_EQ(whole.senses, (Senses{-1, 1}));
  EXPECT_EQ(whole.originMacrobody, (Origins{3, 3}));
  EXPECT_EQ(whole.originFacet, (Origins{1, 2}));
  const CellRecord& facet = reader.model.cells[1];
  EXPECT_EQ(facet.senses, (Senses{-1}));
  EXPECT_EQ(facet.originMacrobody, (Origins{-3}));

  ReaderFixture minus;
  EXPECT_EQ(minus.Read(std::string(kBodies) + "S3 MB -1 +2\nC1 1 1 -3\n").console,
            "Error: The identifier of a general macrobody has been specified in the definition of cell 1 with the "
            "minus sign.\n");
}

TEST(GeneralMacrobodies, RemovedRegionsAreNamed) {
  struct Case {
    const char* body;
    const char* warning;
  };
  const Case cases[] = {
      {"S3 MB 1 1 -2", "Warning: Region +1 was removed from the definition of general macrobody \"S3\".\n"},
      {"S3 MB -5 -5.1", "Warning: Region -5.1 was removed from the definition of general macrobody \"S3\".\n"},
      {"S7 P 0 0 1 3\nS3 MB -5 -7",
       "Warning: Region -5.2 (-7) was removed from the definition of general macrobody \"S3\".\n"},
      {"S3 MB -5 -5.1 -5.2",
       "Warning: Regions -5.1 and -5.2 were removed from the definition of general macrobody "
       "\"S3\".\n"},
      {"S3 MB -5 -5.[1 2 3]",
       "Warning: 3 regions (-5.1, -5.2, ...) were removed from the definition of general macrobody \"S3\".\n"},
  };
  for (const Case& c : cases) {
    ReaderFixture reader;
    ReadOutcome outcome = reader.Read(std::string(kBodies) + c.body + "\nC1 1 1 3\n");
    EXPECT_EQ(outcome.status, InputReadStatus::Loaded) << c.body;
    EXPECT_EQ(outcome.console, c.warning) << c.body;
  }
}

TEST(GeneralMacrobodies, Refusals) {
  ReaderFixture reader;
  EXPECT_EQ(reader.Read(std::string(kBodies) + "S3 MB -1\n").console,
            "Error: The number of surfaces specified in the definition of general macrobody \"S3\" is less than "
            "2.\n");
  EXPECT_EQ(reader.Read(std::string(kBodies) + "S3 MB -5.[ ] -1\n").console,
            "Error: The number of surfaces specified in the definition of general macrobody \"S3\" is less than "
            "2.\n");
  EXPECT_EQ(reader.Read(std::string(kBodies) + "S3 MB -1 -7\n").console,
            "Error: Undefined surface identifier \"7\".\n");
  EXPECT_EQ(reader.Read(std::string(kBodies) + "TR1 0 0 0\nS3 1 MB -1 -2\n").console,
            "Error: An attempt to define general macrobody \"S3\" in an auxiliary coordinate system (this is "
            "allowed only for regular surfaces and standard macrobodies).\n");
}

TEST(GeneralMacrobodies, ACopyKeepsTheOriginsOfItsRoot) {
  ReaderFixture reader;
  ReadOutcome outcome = reader.Read(std::string(kBodies) + "TR1 20 0 0\nS3 MB -1 +2\nS4 1 3\nS8 1 4\nC1 1 1 8\n");
  ASSERT_EQ(outcome.status, InputReadStatus::Loaded) << outcome.console;
  const MacrobodyRecord& second = Macrobody(reader.model, 8);
  EXPECT_EQ(second.copyRoot, reader.model.FindMacrobody(3));
  EXPECT_EQ(reader.model.surfaces[second.facetSurfaces[0]].point, (Vec3{40, 0, 0}));
}

}  // namespace
}  // namespace tessarin::input::testing
