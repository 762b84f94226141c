// The fast form's translation of readable RT script lines; that MGED builds
// the same database from both is checked end to end with the real MGED.

#include "render/fast_script.h"

#include <gtest/gtest.h>

#include <string>

namespace tessarin::render {
namespace {

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(FastScript, TranslatesPrimitivesCombinationsAndRegions) {
  struct Case {
    const char* readable;
    const char* fast;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"units cm\nin S1 sph 1 2 3 0.5\n",
            "units cm\nforeach {name type values} {\nS1 ell {V {10 20 30} A {5 0 0} B {0 5 0} C {0 0 5}}\n"
            "} {put $name $type {*}$values}\n"},
           {"units m\nin W rpp 0 1 0 2 0 3\n",
            "units m\nforeach {name type values} {\nW arb8 {V1 {1000 0 0} V2 {1000 2000 0} V3 {1000 2000 3000} "
            "V4 {1000 0 3000} V5 {0 0 0} V6 {0 2000 0} V7 {0 2000 3000} V8 {0 0 3000}}\n"
            "} {put $name $type {*}$values}\n"},
           {"comb C1 u A + B - D u E\n",
            "foreach {name type values} {\nC1 comb {region no tree {u {- {n {l A} {l B}} {l D}} {l E}}}\n"
            "} {put $name $type {*}$values}\n"},
           {"r M1 u C1 u C2 u C3\nr M2 u C4\n",
            "put {M1} comb region yes tree {u {u {l C1} {l C2}} {l C3}}\n"
            "attr set {M1} region R region_id 1000 material_id 1 los 100\n"
            "put {M2} comb region yes tree {l C4}\nattr set {M2} region R region_id 1001 material_id 1 los 100\n"},
           // Kept as written: before a known unit, a primitive `in` refuses,
           // and every line that is not geometry.
           {"in S1 sph 0 0 0 1\nunits cm\nin S2 sph 0 0 0 -1\nZ\n", "in S1 sph 0 0 0 1\nunits cm\nin S2 sph 0 0 0 -1\nZ\n"},
       }) {
    FastScriptTranslator translator;
    EXPECT_EQ(translator.Translate(c.readable), c.fast) << c.readable;
  }
}

TEST(FastScript, BlocksHoldAtMostTheirRowsAndLongSubtractionsAreMadeWithC) {
  std::string readable = "units cm\n";
  for (int k = 0; k < kRowsPerBlock + 1; ++k) readable += "in S" + std::to_string(k) + " sph 0 0 0 1\n";
  std::string subtraction = "comb C1 u S0";
  std::string expected = "c C1 S0";
  for (int k = 1; k <= 100; ++k) {
    subtraction += " - S" + std::to_string(k);
    expected += " - S" + std::to_string(k);
  }
  readable += subtraction + "\n";
  FastScriptTranslator translator;
  const std::string fast = translator.Translate(readable);
  EXPECT_EQ(Count(fast, std::string(kStoredBlockStart)), 2u);
  EXPECT_EQ(Count(fast, " ell {"), static_cast<std::size_t>(kRowsPerBlock) + 1);
  EXPECT_NE(fast.find("\n" + expected + "\nattr rm C1 region_id\n"), std::string::npos) << fast.substr(fast.size() - 300);
}

}  // namespace
}  // namespace tessarin::render
