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
  void WriteDemo(const std::string& input, const std::string& viewSize = "40") {
    std::string demo = ReadWholeFile(std::string(TESSARIN_SOURCE_DIR) + "/examples/demo.tesprm");
    const std::string key = "InputFN = demo_lattice.inp\n";
    demo.replace(demo.find(key), key.size(), "InputFN = " + input + "\n");
    const std::string view = "viewSize = 40\n";
    demo.replace(demo.find(view), view.size(), "viewSize = " + viewSize + "\n");
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

// Surfaces so far away that the script's arithmetic overflows: the reader
// accepts them, the writer refuses them by name rather than write "nan".
TEST_F(RtCommand, NumbersThatOverflowAreRefusedNamingTheSurface) {
  for (const char* name : {"cy1e308", "co1e300"}) {
    SCOPED_TRACE(name);
    const std::string input = std::string(name) + ".inp";
    WriteWholeFile(startup_.File(input), ReadWholeFile(TestDataFile("input/robustness/" + input)));
    WriteDemo(input);
    CliRun run = Run({"rt", "demo.tesprm", "--yes"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, HasSubstr("Geometry error: Surface S1"));
    EXPECT_THAT(run.err, HasSubstr(" cannot be drawn in MGED: its "));
    EXPECT_THAT(run.err, ::testing::Not(HasSubstr("off the scale")));
    EXPECT_FALSE(std::filesystem::exists(startup_.File(std::string(name) + ".rt")));
  }
}

// A view larger than the largest unit covers is told; where it makes the
// numbers overflow, nothing is written.
TEST_F(RtCommand, AViewOffTheScaleOfTheUnitsIsTold) {
  WriteWholeFile(startup_.File("demo_lattice.inp"), ReadWholeFile(TESSARIN_SOURCE_DIR "/examples/demo_lattice.inp"));
  WriteDemo("demo_lattice.inp", "1e19");
  CliRun parsecs = Run({"rt", "demo.tesprm", "--yes"});
  EXPECT_EQ(parsecs.exitCode, 0) << parsecs.err;
  EXPECT_THAT(parsecs.err, ::testing::Not(HasSubstr("off the scale")));
  EXPECT_THAT(ReadWholeFile(startup_.File("demo_lattice.rt")),
              HasSubstr("Coordinate conversion: 1 MGED centimeter = 1 pc = 3.0857e+18 cm."));

  WriteDemo("demo_lattice.inp", "1e200");
  CliRun huge = Run({"rt", "demo.tesprm", "--yes"});
  EXPECT_EQ(huge.exitCode, 0) << huge.err;
  const std::string offScale =
      "Warning: The view size of 1e+200 cm is off the scale of MGED's units (1 angstrom to 1 pc): with 1 MGED "
      "centimeter = 1 pc the view is 3.24076e+181 MGED centimeters wide.";
  EXPECT_THAT(huge.err, HasSubstr(offScale));

  // Clipping at this scale stays finite.
  const std::string lattice = "cells_lattice.inp";
  WriteWholeFile(startup_.File(lattice), ReadWholeFile(TESSARIN_SOURCE_DIR "/examples/" + lattice));
  WriteDemo(lattice, "1e200");
  CliRun finite = Run({"rt", "demo.tesprm", "--yes"});
  EXPECT_EQ(finite.exitCode, 0) << finite.err;
  const std::string script = ReadWholeFile(startup_.File("cells_lattice.rt"));
  EXPECT_THAT(script, ::testing::Not(HasSubstr("inf")));
  EXPECT_THAT(script, ::testing::Not(HasSubstr("nan")));

  const std::string far = "cy1e308.inp";
  WriteWholeFile(startup_.File(far), ReadWholeFile(TestDataFile("input/robustness/" + far)));
  WriteDemo(far, "1e200");
  CliRun overflowing = Run({"rt", "demo.tesprm", "--yes"});
  EXPECT_EQ(overflowing.exitCode, 1);
  EXPECT_THAT(overflowing.err, HasSubstr(offScale));
  EXPECT_THAT(overflowing.err, HasSubstr("Geometry error: Surface S1"));
  EXPECT_FALSE(std::filesystem::exists(startup_.File("cy1e308.rt")));
}

// A cell whose planes leave no room is written empty and named; a cell
// beside it is neither.
TEST_F(RtCommand, ACellThatContainsNoPointIsNamed) {
  WriteWholeFile(startup_.File("empty.inp"),
                 "COMPLEX_GEOMETRY 1\nM1 \"a\"\nS1 P 1 0 0 0\nS2 P 1 0 0 5\nS3 S 0 0 0 10\nC1 1 1 -1 2 -3\nC2 0 -3 #1\n"
                 "C3 0 3\n");
  WriteDemo("empty.inp");
  CliRun run = Run({"rt", "demo.tesprm", "--yes"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_THAT(run.err, HasSubstr("Warning: cell 1 contains no point.\n"));
  EXPECT_THAT(run.err, ::testing::Not(HasSubstr("cell 2 ")));
  const std::string script = ReadWholeFile(startup_.File("empty.rt"));
  EXPECT_THAT(script, HasSubstr("\ncomb C1 u World - World"));
  EXPECT_THAT(script, ::testing::Not(HasSubstr("ARBN1")));
  CliRun check = Run({"check", "empty.inp"});
  EXPECT_EQ(check.exitCode, 0);
  EXPECT_EQ(check.err, "Warning: cell 1 contains no point.\n");
}

// The form asked for is written and told; a form that is none of the three
// writes nothing.
TEST_F(RtCommand, TheFormIsChosenOnTheCommandLineAndTold) {
  WriteWholeFile(startup_.File("demo_lattice.inp"), ReadWholeFile(TESSARIN_SOURCE_DIR "/examples/demo_lattice.inp"));
  WriteDemo("demo_lattice.inp");
  CliRun readable = Run({"rt", "demo.tesprm", "--yes"});
  ASSERT_EQ(readable.exitCode, 0) << readable.err;
  EXPECT_THAT(readable.err, HasSubstr("RT script written in the readable form ("));
  EXPECT_THAT(ReadWholeFile(startup_.File("demo_lattice.rt")), HasSubstr("\ncomb "));

  CliRun fast = Run({"rt", "demo.tesprm", "--yes", "--form", "fast"});
  ASSERT_EQ(fast.exitCode, 0) << fast.err;
  EXPECT_THAT(fast.err, HasSubstr("RT script written in the fast form ("));
  const std::string script = ReadWholeFile(startup_.File("demo_lattice.rt"));
  EXPECT_THAT(script, HasSubstr("} {put $name $type {*}$values}\n"));
  EXPECT_THAT(script, ::testing::Not(HasSubstr("\ncomb ")));

  std::filesystem::remove(startup_.File("demo_lattice.rt"));
  CliRun wrong = Run({"rt", "demo.tesprm", "--yes", "--form", "small"});
  EXPECT_EQ(wrong.exitCode, 2);
  EXPECT_THAT(wrong.err, HasSubstr("--form takes readable, fast or auto, not 'small'"));
  EXPECT_TRUE(NoScript());
}

}  // namespace
}  // namespace tessarin::testing
