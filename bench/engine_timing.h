#pragma once
// Timing a PROGRAM block of the engine, for the engine benchmarks.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/compiler.h"

namespace tessarin::bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Compiles and runs the block text once; the wall time of the run, and the
// last line it generated in `result`. A block that does not compile ends
// the benchmark.
inline double TimeProgramOnce(const char* text, const char* name, std::string& result) {
  tessarin::engine::Compiler compiler;
  int slot = compiler.AddProgramSlot(tessarin::engine::BlockKind::kProgram, name);
  compiler.CompileProgram(slot, text, 0);
  if (compiler.Record(slot).status >= 2) {
    std::printf("compile failed: %s\n", compiler.Record(slot).message.c_str());
    std::exit(1);
  }
  auto start = Clock::now();
  compiler.Start(slot);
  std::string line;
  while (compiler.NextGeneratedLine(line) == tessarin::engine::GeneratedLine::kLine) result = line;
  return Seconds(start);
}

}  // namespace tessarin::bench
