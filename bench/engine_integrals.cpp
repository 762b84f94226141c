// Times 10^5 calls of Int on sin(x)·exp(-x) over [0, 3] inside a PROGRAM
// block, against scipy.integrate.quad of the same integrand in a Python
// loop (bench/engine_integrals.py) when scipy is installed, and prints both
// times and the ratio.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine_timing.h"

namespace {

const char* const kProgram =
    "\r\n"
    "s = 0\r\n"
    "for (i = 0; i < 100000; i = i + 1) { s = s + Int(sin(x)*exp(0-x), x, 0, 3) }\r\n"
    "Dir(\"mean = \", s/100000, \" nEval = \", nEval)\r\n";

constexpr int kRepeats = 3;  // the best of several runs, the machine is shared

double TimeEngineOnce(std::string& result) {
  return tessarin::bench::TimeProgramOnce(kProgram, "integrals", result);
}

// The Python script prints its own loop time in seconds; 0 when no python
// with scipy ran it.
double TimeScipy() {
  std::string script = std::string(TESSARIN_BENCH_DIR) + "/engine_integrals.py";
  for (const char* python : {"/usr/bin/python3", "python3"}) {
    std::string command = std::string(python) + " " + script + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) continue;
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    int status = pclose(pipe);
    double seconds = 0;
    if (status == 0 && std::sscanf(output.c_str(), "%lf", &seconds) == 1 && seconds > 0) return seconds;
    std::fprintf(stderr, "%s: status %d, output \"%s\"\n", python, status, output.c_str());
  }
  return 0;
}

}  // namespace

int main() {
  std::string result;
  double engine = 1e300;
  for (int i = 0; i < kRepeats; ++i) engine = std::min(engine, TimeEngineOnce(result));
  if (!result.empty() && result.back() == '\n') result.pop_back();
  std::printf("engine: 100000 x Int(sin(x)*exp(0-x), x, 0, 3): %.3f s (%s)\n", engine, result.c_str());
  double scipy = TimeScipy();
  if (scipy <= 0) {
    std::printf("scipy: not available\n");
    return 0;
  }
  std::printf("scipy.integrate.quad in a Python loop: %.3f s\n", scipy);
  std::printf("engine is %.1f times as fast\n", scipy / engine);
  return 0;
}
