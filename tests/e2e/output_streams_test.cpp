// Every command keeps to one rule: its result on standard output; the input
// reader's messages, warnings, errors and usage errors on standard error.
// The command list of --help names every option of every command.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "support/test_files.h"

namespace tessarin::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kRuns = TestDataFile("launch_runs.tesprm");
const std::vector<std::string> kCommands = {"sets", "show", "names", "cmdline", "check", "rt", "tracks"};

// The first arguments of a command that reads the file `file`.
std::vector<std::string> Reading(const std::string& command, const std::string& file) {
  if (command == "tracks") return {command, "count", file};
  return {command, file};
}

TEST(OutputStreams, ResultsGoToStandardOutputAlone) {
  TempDir startup;
  for (const char* command : {"sets", "show", "names", "cmdline"}) {
    CliRun run = RunTessarinCli({command, kRuns}, startup.path());
    EXPECT_EQ(run.exitCode, 0) << command << ": " << run.err;
    EXPECT_NE(run.out, "") << command;
    EXPECT_EQ(run.err, "") << command;
  }
  WriteWholeFile(startup.File("ball.inp"), "S1 S 0 0 0 10\nC1 0 -1\n");
  CliRun check = RunTessarinCli({"check", "ball.inp"}, startup.path());
  EXPECT_EQ(check.exitCode, 0) << check.err;
  EXPECT_EQ(check.out, "ball.inp: read without errors: 1 cell in 0 materials, 1 surface, 0 macrobodies, 0 unions, "
                       "0 user programs\n");
  EXPECT_EQ(check.err, "");
}

TEST(OutputStreams, UsageErrorsAndFailuresGoToStandardErrorAlone) {
  TempDir startup;
  for (const std::string& command : kCommands) {
    std::vector<std::string> args = Reading(command, "missing.file");
    CliRun missing = RunTessarinCli(args, startup.path());
    EXPECT_EQ(missing.exitCode, 1) << command << ": " << missing.err;
    EXPECT_EQ(missing.out, "") << command;
    EXPECT_THAT(missing.err, StartsWith("tessarin-cli " + command + ": ")) << command;

    args.push_back("--no-such-option");
    CliRun usage = RunTessarinCli(args, startup.path());
    EXPECT_EQ(usage.exitCode, 2) << command;
    EXPECT_EQ(usage.out, "") << command;
    EXPECT_THAT(usage.err, StartsWith("tessarin-cli " + command + ": unknown option '--no-such-option'\n"))
        << command;

    CliRun help = RunTessarinCli({command, "--help"}, startup.path());
    EXPECT_EQ(help.exitCode, 0) << command;
    EXPECT_THAT(help.out, StartsWith("Usage: tessarin-cli " + command)) << command;
    EXPECT_EQ(help.err, "") << command;
  }
  CliRun unknown = RunTessarinCli({"frobnicate"}, startup.path());
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_EQ(unknown.out, "");
  CliRun bare = RunTessarinCli({}, startup.path());
  EXPECT_EQ(bare.exitCode, 2);
  EXPECT_EQ(bare.out, "");
  EXPECT_THAT(bare.err, StartsWith("Usage: tessarin-cli COMMAND"));
}

TEST(OutputStreams, CheckOnAFileWithATypoPointsAtTheLine) {
  TempDir startup;
  WriteWholeFile(startup.File("typo.inp"),
                 "COMPLEX_GEOMTRY 1   // misspelt: skipped, with a hint\n"
                 "S1 S 0 0 0 10\n"
                 "C1 0 -1 &\n"
                 "     -12\n");
  CliRun run = RunTessarinCli({"check", "typo.inp"}, startup.path());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "hint: \"COMPLEX_GEOMTRY\" is not a directive of the geometry; did you mean \"COMPLEX_GEOMETRY\"?\n"
            "  at typo.inp:1: COMPLEX_GEOMTRY 1\n"
            "Error: Undefined surface identifier \"12\".\n"
            "  at typo.inp:3-4: C1 0 -1 -12\n");
}

// Every option that a command's own --help describes.
std::set<std::string> OptionsOf(const std::string& help) {
  std::set<std::string> options;
  std::regex option(R"((?:^|[\s\[|])(--?[a-z][a-z-]*))");
  for (std::sregex_iterator it(help.begin(), help.end(), option), end; it != end; ++it) options.insert((*it)[1]);
  options.erase("--help");
  options.erase("-h");
  return options;
}

TEST(OutputStreams, TheCommandListNamesEveryOptionOfEveryCommand) {
  TempDir startup;
  CliRun top = RunTessarinCli({"--help"}, startup.path());
  ASSERT_EQ(top.exitCode, 0);
  EXPECT_EQ(top.err, "");
  EXPECT_THAT(top.out, HasSubstr("Standard output carries each command's result"));
  for (const std::string& command : kCommands) {
    std::string help = RunTessarinCli({command, "--help"}, startup.path()).out;
    std::size_t listed = top.out.find("\n  " + command + " ");
    ASSERT_NE(listed, std::string::npos) << command;
    std::size_t next = top.out.find("\n  ", top.out.find("\n      ", listed) + 1);
    std::string entry = top.out.substr(listed, next - listed);
    std::set<std::string> options = OptionsOf(help);
    EXPECT_FALSE(options.empty() && command != "sets") << command;
    for (const std::string& option : options) EXPECT_THAT(entry, HasSubstr(option)) << command;
  }
  // check --help describes the dump itself.
  std::string checkHelp = RunTessarinCli({"check", "--help"}, startup.path()).out;
  EXPECT_THAT(checkHelp, HasSubstr("C<n> material=M<n>"));
  EXPECT_THAT(checkHelp, ::testing::Not(HasSubstr(".h")));
}

}  // namespace
}  // namespace tessarin::testing
