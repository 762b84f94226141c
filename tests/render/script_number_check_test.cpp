// What the last look at a script names when a number would reach MGED as
// "nan" or "inf": the solid and which of its numbers.

#include "render/script_names_check.h"
#include "render/script_number_check.h"

#include <gtest/gtest.h>

namespace tessarin::render {
namespace {

TEST(ScriptNumberCheck, NamesTheSolidAndTheQuantity) {
  struct Case {
    const char* line;
    const char* message;  // without "Geometry error: " and the closing sentence
  };
  for (const Case& c : std::initializer_list<Case>{
           {"in S1 rcc   -nan -nan -inf   0 0 1   5\n", "Surface S1 cannot be drawn in MGED: its base centre would be "
                                                        "written as \"-nan\"."},
           {"in S12F1C3 trc   0 0 0   0 0 1   0.1 inf\n", "Facet S12.1 of cell C3 cannot be drawn in MGED: its top "
                                                           "radius would be written as \"inf\"."},
           {"in ARBN4 arbn 2   1 0 0 5   0 1 0 NAN\n", "The planes of cell C4 cannot be drawn in MGED: its distance "
                                                       "of plane 2 would be written as \"NAN\"."},
           {"in S03C7 sph 0 0 0 inf\n", "The copied surface 3 of cell C7 cannot be drawn in MGED: its radius would be "
                                        "written as \"inf\"."},
           {"in World rpp 0 1 0 1 -inf 1\n", "The world cannot be drawn in MGED: its z-minimum would be written as "
                                             "\"-inf\"."},
           {"view center 0 inf 0\n", "The view cannot be drawn in MGED: its centre would be written as \"inf\"."},
           // The fast form's stored values, as rows of a data block and as put lines.
           {"S1C2 tgc {V {0 0 0} H {0 0 inf} A {1 0 0}}\n", "Surface S1 of cell C2 cannot be drawn in MGED: its stored "
                                                          "values would be written as \"inf\"."},
           {"put {World} arb8 V1 {-inf 0 0}\n", "The world cannot be drawn in MGED: its stored values would be "
                                                "written as \"-inf\"."},
       }) {
    SCOPED_TRACE(c.line);
    const std::optional<std::string> message = NonFiniteNumberMessage(std::string("units cm\n") + c.line + "Z\n");
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(*message, std::string("Geometry error: ") + c.message + " The RT script has not been written.");
  }
}

TEST(ScriptNumberCheck, FiniteNumbersAndPathsPass) {
  EXPECT_FALSE(NonFiniteNumberMessage("opendb \"/x/nan inf/a.g\" y\nin S1 sph 0 0 0 1e300\n"
                                      "vdraw write next 0 1 2 3\nmater M1 \"plastic {tr 0 re 0}\" 1 2 3 0\n"));
}

TEST(ScriptNumberCheck, ViewsBeyondTheUnitTableAreOffScale) {
  EXPECT_FALSE(ViewOffScaleWarning(40));
  EXPECT_FALSE(ViewOffScaleWarning(1e19));   // about 3 pc
  EXPECT_FALSE(ViewOffScaleWarning(1e-9));   // 0.1 angstrom
  EXPECT_TRUE(ViewOffScaleWarning(1e21));    // over 100 pc
  EXPECT_TRUE(ViewOffScaleWarning(5e-12));   // the smallest view size allowed
}

}  // namespace
}  // namespace tessarin::render

namespace tessarin::render {
namespace {

// Members must be made before the combination that uses them: the one the
// writer once forgot (a general macrobody's facet outside the world), one
// made only later, and operators and names that only look alike.
TEST(ScriptNamesCheck, NamesTheFirstMemberNoEarlierLineMakes) {
  const std::string made = "in World rpp -1 1 -1 1 -1 1\nin S1 sph 0 0 0 1\nin ARBN1 arbn 1   1 0 0 1\n";
  struct Case {
    const char* lines;
    const char* missing;  // empty: every member is made
  };
  for (const Case& c : std::initializer_list<Case>{
           {"comb C1 u ARBN1 + S1\ncomb C2 u World - C1\nr M1 u C1\nr V0 u C2\n", ""},
           {"comb C1 u ARBN1 + S4F1\n", "\"comb C1\" of the RT script uses \"S4F1\""},
           {"comb C2 u World - C1\ncomb C1 u S1\n", "\"comb C2\" of the RT script uses \"C1\""},
           {"comb C1 u S1\nr M1 u C1 u C11\n", "\"r M1\" of the RT script uses \"C11\""},
       }) {
    SCOPED_TRACE(c.lines);
    const std::optional<std::string> message = UndefinedObjectMessage(made + c.lines + "draw M1\n");
    if (*c.missing == '\0') {
      EXPECT_FALSE(message.has_value()) << *message;
      continue;
    }
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(*message, std::string("Geometry error: ") + c.missing +
                            ", which the script does not make, so MGED would build something else. The RT script has "
                            "not been written.");
  }
}

}  // namespace
}  // namespace tessarin::render
