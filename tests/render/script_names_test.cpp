// Every name a combination or region of the script uses must have been
// made before, by an "in", "comb" or "r" line: a missing primitive makes
// MGED refuse the combination. Checked on generated models of spheres,
// boxes and rods with complements and transformed copies.

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>
#include <string>

#include "render/script_fixture.h"

namespace tessarin::render::testing {
namespace {

std::string GeneratedModel(unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> place(-20, 20), size(0.5, 3);
  std::ostringstream text;
  text << "M1 \"a\"\nM2 \"b\"\nTR1 1 2 3 30 40 50\nTR2 -5 0 0\n";
  text << "S1 S 0 0 0 60\nS2 P 0 0 1 0\n";
  std::string outer = "C1 2 1 -1";
  for (int k = 0; k < 12; ++k) {
    const int surface = 10 + k, cell = 10 + 2 * k;
    const double x = place(random), y = place(random), z = place(random), r = size(random);
    switch (k % 3) {
      case 0:
        text << "S" << surface << " S " << x << ' ' << y << ' ' << z << ' ' << r << "\n";
        text << "C" << cell << " 1 1 -" << surface << (k % 2 ? " 2" : "") << "\n";
        break;
      case 1:
        text << "S" << surface << " RPP " << x << ' ' << x + r << ' ' << y << ' ' << y + r << ' ' << z << ' ' << z + r
             << "\n";
        text << "C" << cell << " 1 1 -" << surface << "\n";
        break;
      default:
        text << "S" << surface << " CY " << x << ' ' << y << " 0 0 1 1 " << r / 3 << "\n";
        text << "C" << cell << " 1 1 -" << surface << " 2\n";
    }
    // A transformed copy of every cell, and the outer cell excludes both.
    text << "C" << cell + 1 << " 1 1 TR" << 1 + k % 2 << ' ' << cell << "\n";
    outer += " #" + std::to_string(cell) + " #" + std::to_string(cell + 1);
  }
  return text.str() + outer + "\n";
}

// The names used before they were made, one per line.
std::string UndefinedNames(const std::string& script) {
  std::set<std::string> made;
  std::string undefined;
  std::istringstream lines(script);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string command, name, word;
    words >> command >> name;
    if (command == "in") made.insert(name);
    if (command != "comb" && command != "r") continue;
    while (words >> word)
      if (word != "u" && word != "+" && word != "-" && !made.count(word)) undefined += word + " in: " + line + "\n";
    made.insert(name);
  }
  return undefined;
}

TEST(ScriptNamesTest, GeneratedModelsUseOnlyMadeNames) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    for (int iterations : {0, 8}) {
      ScriptFixture fixture;
      fixture.set.nIterations = iterations;
      fixture.set.viewSize = 80;
      fixture.set.useCutawayPlane = seed % 2;
      fixture.set.cutawayPlaneNormal = {0.3, 1, 0};
      const std::string input = GeneratedModel(seed);
      ASSERT_TRUE(fixture.Read(input)) << fixture.console << input;
      ASSERT_EQ(fixture.Write().outcome, RtScriptOutcome::Written);
      EXPECT_EQ(UndefinedNames(fixture.script), "") << "seed " << seed << "\n" << fixture.script;
      for (const input::CellRecord& cell : fixture.model.cells)
        EXPECT_NE(fixture.script.find("\ncomb C" + std::to_string(cell.id) + " u "), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace tessarin::render::testing
