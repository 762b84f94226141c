#pragma once
// The stand-in's command line: the pieces that the simulator's command line
// is made of (tasks, check, writeLog, @n values, dir, alt, in, log, out, and
// "in=" / "out=" in the other style). Any other word counts as an
// additional argument and is only reported.

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tessarin::standin {

struct SimulatorOptions {
  int tasks = 1;
  int check = 1;     // 0 no syntax check, 1 check then run, -1 check only
  bool writeLog = true;
  std::array<double, 10> systemVariables{};
  std::string dataFolder;     // dir
  std::string alternativeCrossSections;  // alt
  std::string input;
  std::string log;     // empty: derived from the input file
  std::string output;  // empty: derived from the input file
  std::vector<std::string> additional;
};

struct ParsedOptions {
  std::optional<SimulatorOptions> options;
  std::string error;  // when options is empty
};

ParsedOptions ParseSimulatorOptions(const std::vector<std::string>& arguments);

}  // namespace tessarin::standin
