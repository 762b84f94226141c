#include "cli_runner.h"

#include <sys/wait.h>

#include <cstdlib>

#include "support/test_files.h"

namespace tessarin::testing {
namespace {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') quoted += "'\\''";
    else quoted += c;
  }
  return quoted + "'";
}

CliRun Run(const std::vector<std::string>& args, const std::string& workingDirectory,
           const std::string& standardInput, const std::string& prefix) {
  TempDir captured;
  // A run that hangs fails its test (status 124) instead of stopping the suite.
  std::string command = "cd " + ShellQuoted(workingDirectory) + " && " + prefix + "timeout -k 5 120 " +
                        ShellQuoted(TESSARIN_BINARY_DIR "/bin/tessarin-cli");
  for (const std::string& arg : args) command += " " + ShellQuoted(arg);
  command += " >" + ShellQuoted(captured.File("out")) + " 2>" + ShellQuoted(captured.File("err"));
  command += " <" + ShellQuoted(standardInput.empty() ? std::string("/dev/null") : standardInput);
  int status = std::system(command.c_str());
  CliRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadWholeFile(captured.File("out"));
  run.err = ReadWholeFile(captured.File("err"));
  return run;
}

}  // namespace

CliRun RunTessarinCli(const std::vector<std::string>& args, const std::string& workingDirectory,
                      const std::string& standardInput, const std::string& home) {
  return Run(args, workingDirectory, standardInput, home.empty() ? std::string() : "HOME=" + ShellQuoted(home) + " ");
}

CliRun RunTessarinCliWithFileSizeLimit(const std::vector<std::string>& args, const std::string& workingDirectory,
                                       std::size_t bytes) {
  // The shell counts in blocks of 512 bytes; an ignored SIGXFSZ stays
  // ignored in the program, whose write then fails instead.
  return Run(args, workingDirectory, "", "trap '' XFSZ && ulimit -f " + std::to_string((bytes + 511) / 512) + " && ");
}

std::string TestDataFile(const std::string& name) { return std::string(TESSARIN_TEST_DATA_DIR "/") + name; }

}  // namespace tessarin::testing
