#pragma once
// The 4999-cell model the benchmarks share: a 50 x 50 lattice (less one
// site) of RPP boxes inside a shield box, each box holding a rod (an
// infinite cylinder between two planes) that the box excludes; every other
// rod is a transformed copy of the first, and the shield excludes every box
// (and so, through them, every rod).

#include <cstdio>
#include <string>

namespace tessarin::bench {

inline constexpr int kLatticeSide = 50;

// The input file text.
inline std::string LatticeModelInput() {
  constexpr int kSide = kLatticeSide;
  constexpr int kSites = kSide * kSide - 1;
  std::string text = "COMPLEX_GEOMETRY 1\nM1 \"rod\"\nM2 \"box\"\nM3 \"shield\"\n";
  char line[200];
  std::snprintf(line, sizeof line, "S1 RPP -1 %d -1 %d -1 2\nS2 P 0 0 1 0\nS3 P 0 0 1 1\n", kSide + 1, kSide + 1);
  text += line;
  std::string shield = "C1 3 1 -1";
  for (int site = 0; site < kSites; ++site) {
    const int i = site / kSide, j = site % kSide;
    const int rod = 2 + 2 * site, box = 3 + 2 * site;
    std::snprintf(line, sizeof line, "S%d RPP %d %d %d %d 0 1\n", 10000 + site, i, i + 1, j, j + 1);
    text += line;
    if (site % 2 == 0) {
      std::snprintf(line, sizeof line, "S%d CY %g %g 0 0 0 1 0.3\nC%d 1 1 -%d +2 -3\n", 20000 + site, i + 0.5, j + 0.5,
                    rod, 20000 + site);
    } else {
      // A copy of the first rod moved to this site.
      std::snprintf(line, sizeof line, "TR%d %d %d 0\nC%d 1 1 TR%d 2\n", site, i, j, rod, site);
    }
    text += line;
    std::snprintf(line, sizeof line, "C%d 2 1 -%d #%d\n", box, 10000 + site, rod);
    text += line;
    // Input lines hold at most 1000 characters: continue the shield's line.
    if (site % 100 == 99) shield += " &\n";
    shield += " #" + std::to_string(box);
  }
  return text + shield + "\n";
}

}  // namespace tessarin::bench
