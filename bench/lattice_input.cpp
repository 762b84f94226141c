// Writes the input file of the 4999-cell lattice model (lattice_model.h) to
// the path given, for the scripts under bench/ that load its RT script into
// MGED.

#include <cstdio>
#include <fstream>

#include "lattice_model.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_lattice_input FILE.inp\n");
    return 2;
  }
  std::ofstream out(argv[1]);
  out << tessarin::bench::LatticeModelInput();
  return out.good() ? 0 : 1;
}
