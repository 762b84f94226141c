#pragma once
// Runs the built tessarin-cli binary as a user would, in a chosen working
// directory, and captures its exit status, standard output and error.

#include <string>
#include <vector>

namespace tessarin::testing {

struct CliRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// `workingDirectory` stands in for the start-up directory; `standardInput`
// names a file to feed as standard input (empty: none); `home`, when given,
// is the HOME the program sees.
CliRun RunTessarinCli(const std::vector<std::string>& args, const std::string& workingDirectory,
                      const std::string& standardInput = "", const std::string& home = "");

// The path of a file in tests/data.
std::string TestDataFile(const std::string& name);

}  // namespace tessarin::testing
