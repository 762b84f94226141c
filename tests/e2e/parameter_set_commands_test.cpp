// tessarin-cli's parameter-set commands on a hand-written parameter file with
// three sets: relative folders with backslashes, the numbered-run example,
// and a set with absolute folders, custom names and every optional piece.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "cli_runner.h"
#include "support/test_files.h"

namespace tessarin::testing {
namespace {

using ::testing::HasSubstr;

const std::string kRuns = TestDataFile("launch_runs.tesprm");

class ParameterSetCommands : public ::testing::Test {
 protected:
  CliRun Run(const std::vector<std::string>& args) { return RunTessarinCli(args, startup_.path()); }
  const std::string& startup() const { return startup_.path(); }

 private:
  TempDir startup_;
};

TEST_F(ParameterSetCommands, SetsListsEveryEntryAndTheCurrentSet) {
  CliRun run = Run({"sets", kRuns});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            " (1)  Relative folders\n"
            " (2)  Numbered runs\n"
            " (3)  Shield study\n"
            "current set: 2\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(ParameterSetCommands, CmdlineOfTheNumberedRunExample) {
  const std::string expected = "Varnholt tasks 4 check 1 @1 2.5 in \"my runs/a.txt\" out \"my runs/a_r2.txt\"\n";
  CliRun chosen = Run({"cmdline", kRuns, "--set", "2"});
  EXPECT_EQ(chosen.exitCode, 0) << chosen.err;
  EXPECT_EQ(chosen.out, expected);
  // Without --set the file's current set, which is set 2.
  EXPECT_EQ(Run({"cmdline", kRuns}).out, expected);
  EXPECT_EQ(Run({"cmdline", "--set=2", kRuns}).out, expected);
}

TEST_F(ParameterSetCommands, CmdlineWithEveryOptionalPiece) {
  CliRun run = Run({"cmdline", kRuns, "--set", "3"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "/opt/varnholt/Varnholt tasks 0 check -1 writeLog 1 seed 17 @3 -0.5 @7 1.25e-20 dir ./"
            " in= in/shield.txt log logs/shield.log out= \"out/shield result.txt\"\n");
}

TEST_F(ParameterSetCommands, BackslashFoldersResolveAgainstTheStartupDirectory) {
  // The console starts in the input folder "runs\", so the simulator in the
  // start-up directory is named absolute and the input file by its name.
  CliRun run = Run({"cmdline", kRuns, "--set", "1"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, startup() + "Varnholt in beam.txt\n");
  CliRun names = Run({"names", kRuns, "--set", "1"});
  EXPECT_THAT(names.out, HasSubstr("output file:      " + startup() + "runs/beam_out.txt  (relative: runs/beam_out.txt)\n"));
  EXPECT_THAT(names.out, HasSubstr("RT script:        " + startup() + "scripts/beam.rt  (relative: scripts/beam.rt)\n"));
}

TEST_F(ParameterSetCommands, NamesOfANumberedRun) {
  CliRun run = Run({"names", kRuns, "--set", "2"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::string& s = startup();
  EXPECT_EQ(run.out,
            "output file:      " + s + "my runs/a_r2.txt  (relative: my runs/a_r2.txt)\n" +
            "log file:         " + s + "my runs/a_log.txt  (relative: my runs/a_log.txt)\n" +
            "track data file:  " + s + "my runs/Files_a_r2.txt/a_r2_tracks.txt" +
            "  (relative: my runs/Files_a_r2.txt/a_r2_tracks.txt)\n" +
            "RT script:        " + s + "a.rt  (relative: a.rt)\n");
}

TEST_F(ParameterSetCommands, NamesOutsideTheStartupDirectoryStayAbsolute) {
  CliRun run = Run({"names", kRuns, "--set", "3"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "output file:      /data/out/shield result.txt  (relative: /data/out/shield result.txt)\n"
            "log file:         /data/logs/shield.log  (relative: /data/logs/shield.log)\n"
            "track data file:  /data/tracks/shield_tracks.txt  (relative: /data/tracks/shield_tracks.txt)\n"
            "RT script:        /data/rt/shield_v3.rt  (relative: /data/rt/shield_v3.rt)\n");
}

TEST_F(ParameterSetCommands, ParameterFileFromStandardInput) {
  CliRun run = RunTessarinCli({"cmdline", "-", "--set", "2"}, startup(), kRuns);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("in \"my runs/a.txt\""));
}

TEST_F(ParameterSetCommands, ShowWritesTheSetAsTheFileStoresIt) {
  CliRun run = Run({"show", kRuns, "--set", "3"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.rfind("Shield study\nInputFileFolder = /data/in/\nInputFN = shield.txt\n", 0), 0u) << run.out;
  EXPECT_THAT(run.out, HasSubstr("\ncmdFolder = /data/\n"));
  EXPECT_THAT(run.out, HasSubstr("\nOutputFileName = /data/out/shield result.txt\n"));
  EXPECT_THAT(run.out, HasSubstr("\n@3 = -0.5\n"));
  EXPECT_THAT(run.out, HasSubstr("\nMGEDsuffix = _v%d\n"));
  EXPECT_THAT(run.out, HasSubstr("\nnRows = 1\nWater\ncolorRGB = (128, 255, 128)\n"));
  // Only the set, not the file's header.
  EXPECT_THAT(run.out, ::testing::Not(HasSubstr("nParmSets")));
  CliRun relative = Run({"show", kRuns, "--set", "1"});
  EXPECT_THAT(relative.out, HasSubstr("\nInputFileFolder = runs/\n"));
}

TEST_F(ParameterSetCommands, SetWithoutSimulatorProgramGivesAnEmptyLine) {
  std::string text = ReadWholeFile(kRuns);
  const std::string program = "VarnholtExeName = Varnholt\nnThreads = 4\n";
  ASSERT_NE(text.find(program), std::string::npos);
  text.replace(text.find(program), program.size(), "VarnholtExeName = \nnThreads = 4\n");
  WriteWholeFile(startup() + "no_program.tesprm", text);
  CliRun run = Run({"cmdline", "no_program.tesprm"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "\n");
  EXPECT_THAT(run.err, HasSubstr("set 2 names no simulator program"));
}

TEST_F(ParameterSetCommands, DemoFileFromTheExamplesFolder) {
  const std::string examples = TESSARIN_SOURCE_DIR "/examples/";
  CliRun line = RunTessarinCli({"cmdline", "demo.tesprm", "--set", "2"}, examples);
  EXPECT_EQ(line.exitCode, 0) << line.err;
  EXPECT_EQ(line.out, "Varnholt tasks 4 check 1 @1 2.5 in \"my runs/a.txt\" out \"my runs/a_r2.txt\"\n");
  CliRun names = RunTessarinCli({"names", "demo.tesprm", "--set", "2"}, examples);
  EXPECT_EQ(names.exitCode, 0) << names.err;
  EXPECT_THAT(names.out, HasSubstr("output file:      " + examples + "my runs/a_r2.txt  (relative: my runs/a_r2.txt)\n"));
  EXPECT_THAT(names.out, HasSubstr("RT script:        " + examples + "a.rt  (relative: a.rt)\n"));
}

TEST_F(ParameterSetCommands, BadUsageExitsWithTwo) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},
           {"frobnicate"},
           {"cmdline"},
           {"cmdline", kRuns, "extra"},
           {"cmdline", kRuns, "--set"},
           {"cmdline", kRuns, "--set", "0"},
           {"names", kRuns, "--set", "two"},
           {"show", kRuns, "--bogus"},
           {"sets", kRuns, "--set", "1"},
       }) {
    CliRun run = Run(args);
    EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(args);
    EXPECT_EQ(run.out, "") << ::testing::PrintToString(args);
    EXPECT_NE(run.err, "") << ::testing::PrintToString(args);
  }
}

TEST_F(ParameterSetCommands, SetNumberBeyondTheListIsBadUsage) {
  CliRun run = Run({"names", kRuns, "--set", "4"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_THAT(run.err, HasSubstr("there is no set 4"));
  EXPECT_THAT(run.err, HasSubstr("holds 3 sets"));
  EXPECT_EQ(run.out, "");
  // The largest set number a file can hold is a set number (missing here);
  // one more is no set number at all.
  const struct {
    const char* number;
    const char* error;
  } cases[] = {{"10000", "there is no set 10000"},
               {"10001", "--set needs a set number"},
               {"0", "--set needs a set number"},
               {"99999999999999999999", "--set needs a set number"}};
  for (const auto& c : cases) {
    CliRun beyond = Run({"cmdline", kRuns, "--set", c.number});
    EXPECT_EQ(beyond.exitCode, 2) << c.number;
    EXPECT_THAT(beyond.err, HasSubstr(c.error));
  }
}

TEST_F(ParameterSetCommands, UnreadableOrUnusableFilesFail) {
  CliRun missing = Run({"sets", startup() + "missing.tesprm"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_THAT(missing.err, HasSubstr("cannot read parameter file '" + startup() + "missing.tesprm'"));
  EXPECT_EQ(missing.out, "");

  CliRun folder = Run({"cmdline", startup()});
  EXPECT_EQ(folder.exitCode, 1);
  EXPECT_THAT(folder.err, HasSubstr("it is a folder"));

  WriteWholeFile(startup() + "garbage.tesprm", "this is not\na parameter file\n");
  CliRun garbage = Run({"names", "garbage.tesprm"});
  EXPECT_EQ(garbage.exitCode, 1);
  // The window program's "a default set will be created" does not apply here.
  EXPECT_EQ(garbage.err,
            "tessarin-cli names: cannot read parameter file 'garbage.tesprm': its header or first set has an "
            "incorrect format\n"
            "  at garbage.tesprm:1: nParmSets was expected, not \"this is not\"\n");
  EXPECT_EQ(garbage.out, "");

  CliRun empty = RunTessarinCli({"sets", "-"}, startup(), "/dev/null");
  EXPECT_EQ(empty.exitCode, 1);
  EXPECT_THAT(empty.err, HasSubstr("cannot read parameter file from standard input"));
}

TEST_F(ParameterSetCommands, LaterMalformedSetIsReportedAndTheSetsBeforeItKept) {
  std::string text = ReadWholeFile(kRuns);
  const std::string secondSet = "\nNumbered runs\n";
  ASSERT_NE(text.find(secondSet), std::string::npos);
  text.resize(text.find(secondSet) + secondSet.size());
  WriteWholeFile(startup() + "cut.tesprm", text);
  CliRun run = Run({"sets", "cut.tesprm"});
  // What was read is listed, but the file was not read completely.
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, " (1)  Relative folders\ncurrent set: 1\n");
  const int endLine = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
  EXPECT_EQ(run.err,
            "Warning: Error while reading parameter set No. 2 from file \"cut.tesprm\" (incorrect file "
            "format).\n  at cut.tesprm:" +
                std::to_string(endLine) + ": the file ends where InputFileFolder was expected\n");
}

TEST_F(ParameterSetCommands, OutputThatCannotBeWrittenIsAFailure) {
  const std::string command = "cd " + startup() + " && " TESSARIN_BINARY_DIR "/bin/tessarin-cli show " + kRuns +
                              " >/dev/full 2>" + startup() + "err";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(ReadWholeFile(startup() + "err"), "tessarin-cli show: cannot write the output\n");
}

TEST_F(ParameterSetCommands, HelpGoesToStandardOutput) {
  CliRun overview = Run({"--help"});
  EXPECT_EQ(overview.exitCode, 0);
  for (const char* command : {"sets FILE", "show FILE [--set N]", "names FILE [--set N]", "cmdline FILE [--set N]"})
    EXPECT_THAT(overview.out, HasSubstr(command));
  CliRun names = Run({"names", "--help"});
  EXPECT_EQ(names.exitCode, 0);
  EXPECT_THAT(names.out, HasSubstr("output file:      ABSOLUTE  (relative: RELATIVE)"));
  EXPECT_EQ(names.err, "");
  EXPECT_EQ(Run({"help", "names"}).out, names.out);
  std::istringstream lines(overview.out);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;
}

}  // namespace
}  // namespace tessarin::testing
