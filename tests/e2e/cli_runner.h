#pragma once
// Runs the built tessarin-cli binary as a user would, in a chosen working
// directory, and captures its exit status, standard output and error.

#include <cstddef>
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

// As RunTessarinCli, with every file the program writes (its standard
// output and error too) limited to `bytes`: a write past it fails with the
// system's "File too large", as a full disk would fail it.
CliRun RunTessarinCliWithFileSizeLimit(const std::vector<std::string>& args, const std::string& workingDirectory,
                                       std::size_t bytes);

// The path of a file in tests/data.
std::string TestDataFile(const std::string& name);

}  // namespace tessarin::testing
