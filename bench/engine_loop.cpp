// Times the engine on a loop of ten million iterations inside a PROGRAM
// block, and the same loop in CPython, Tcl and Lua when they are installed,
// and prints how many times faster the engine is than each.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine_timing.h"

namespace {

using tessarin::bench::Clock;
using tessarin::bench::Seconds;

const char* const kProgram =
    "\r\n"
    "s = 0\r\n"
    "for (i = 0; i < 10000000; i = i + 1) { s = s + i*i }\r\n"
    "Dir(\"s = \", s)\r\n";

constexpr int kRepeats = 5;  // the best of several runs, the machine is shared

double TimeEngineOnce(std::string& result) { return tessarin::bench::TimeProgramOnce(kProgram, "loop", result); }

double TimeEngine(std::string& result) {
  double best = 1e300;
  for (int i = 0; i < kRepeats; ++i) best = std::min(best, TimeEngineOnce(result));
  return best;
}

// Wall time of a command, or a negative number when it failed.
double TimeCommand(const std::string& command) {
  double best = 1e300;
  for (int i = 0; i < kRepeats; ++i) {
    auto start = Clock::now();
    int status = std::system((command + " > /dev/null 2>&1").c_str());
    if (status != 0) return -1;
    best = std::min(best, Seconds(start));
  }
  return best;
}

std::string Variable(int number) {
  std::string name = "x";
  name += std::to_string(number);
  return name;
}

double TimeCompile() {
  // Assignments, calls, conditions and loops, 10000 lines in all.
  std::string text = "\r\n";
  for (int i = 0; i < 100; ++i) text += Variable(i) + " = " + std::to_string(i) + "\r\n";
  for (int i = 100; i < 10000; i += 4) {
    std::string a = Variable(i % 100);
    std::string b = Variable((i * 7) % 100);
    text += "if (" + a + " > " + b + " & " + b + " < 50) {\r\n";
    text += "  " + a + " = " + b + " + sin(" + a + ") * 2 - max(" + b + ", 1) / 3\r\n";
    text += "}\r\n";
    text += "for (k = 0; k < 2; k = k + 1) " + b + " = " + b + " + k*k\r\n";
  }
  tessarin::engine::Compiler compiler;
  int slot = compiler.AddProgramSlot(tessarin::engine::BlockKind::kProgram, "big");
  auto start = Clock::now();
  compiler.CompileProgram(slot, text, 0);
  return Seconds(start);
}

}  // namespace

int main() {
  std::string result;
  double engine = TimeEngine(result);
  std::printf("engine     %.3f s, %s", engine, result.c_str());
  struct Other {
    const char* name;
    std::string command;
  };
  std::vector<Other> others = {
      {"CPython 3", "python3 -c 's = 0\nfor i in range(10000000):\n    s = s + i*i\nprint(s)'"},
      {"Tcl 8.6", "echo 'set s 0; for {set i 0} {$i < 10000000} {incr i} { set s [expr {$s + $i*$i}] }; puts $s' | tclsh"},
      {"Lua 5.4", "lua5.4 -e 'local s = 0 for i = 0, 9999999 do s = s + i*i end print(s)'"},
  };
  for (const Other& other : others) {
    double seconds = TimeCommand(other.command);
    if (seconds < 0) {
      std::printf("%-10s not available\n", other.name);
    } else {
      std::printf("%-10s %.3f s, engine is %.2f times as fast\n", other.name, seconds, seconds / engine);
    }
  }
  std::printf("compiling 10000 lines: %.3f s\n", TimeCompile());
  return 0;
}
