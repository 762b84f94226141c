// tessarin-cli rt where no script gets written: its help, a set without an
// input file, and input files that cannot be read or have errors. (Scripts
// that are written are tested with the writer, in tests/render/rt_script_e2e_test.cpp.)

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_runner.h"
#include "support/test_files.h"

namespace tessarin::testing {
namespace {

using ::testing::HasSubstr;

class RtCommand : public ::testing::Test {
 protected:
  // The demo parameter file in the start-up folder, its first set naming
  // `input` as the input file.
  void WriteDemo(const std::string& input) {
    std::string demo = ReadWholeFile(std::string(TESSARIN_SOURCE_DIR) + "/examples/demo.tesprm");
    const std::string key = "InputFN = demo_lattice.inp\n";
    demo.replace(demo.find(key), key.size(), "InputFN = " + input + "\n");
    WriteWholeFile(startup_.File("demo.tesprm"), demo);
  }
  CliRun Run(const std::vector<std::string>& args) { return RunTessarinCli(args, startup_.path()); }
  bool NoScript() const { return !std::filesystem::exists(startup_.File("demo_lattice.rt")); }

  TempDir startup_;
};

TEST_F(RtCommand, HelpNamesTheArgumentsAndTheExitStatuses) {
  CliRun run = Run({"rt", "--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_THAT(run.out, HasSubstr("Usage: tessarin-cli rt FILE [--set N] [--yes]"));
  EXPECT_THAT(run.out, HasSubstr("--yes     overwrite an existing RT script"));
  EXPECT_THAT(Run({"--help"}).out, HasSubstr("rt"));
  EXPECT_EQ(Run({"rt"}).exitCode, 2);
  EXPECT_EQ(Run({"rt", "a.tesprm", "--set", "0"}).exitCode, 2);
}

TEST_F(RtCommand, ASetWithoutAnInputFileWritesNothing) {
  WriteDemo("");
  CliRun run = Run({"rt", "demo.tesprm"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_THAT(run.err, HasSubstr("tessarin-cli rt: the set names no input file"));
}

TEST_F(RtCommand, AnInputFileThatCannotBeOpenedOrHasAnErrorWritesNothing) {
  WriteDemo("missing.inp");
  CliRun missing = Run({"rt", "demo.tesprm"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_THAT(missing.err, HasSubstr("missing.inp"));

  WriteWholeFile(startup_.File("broken.inp"), "COMPLEX_GEOMETRY 1\nC1 9 1 -1\n");
  WriteDemo("broken.inp");
  CliRun broken = Run({"rt", "demo.tesprm"});
  EXPECT_EQ(broken.exitCode, 1);
  EXPECT_EQ(broken.out, "");
  EXPECT_THAT(broken.err, HasSubstr("Error"));
  EXPECT_TRUE(NoScript());
}

}  // namespace
}  // namespace tessarin::testing
