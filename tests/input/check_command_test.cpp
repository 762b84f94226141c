// tessarin-cli check, run as a user runs it: the console messages in order
// on standard error, the summary and the --dump form of the model on standard
// output, and the exit status.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_files.h"

namespace tessarin::input::testing {
namespace {

using tessarin::testing::ReadWholeFile;
using tessarin::testing::TempDir;
using tessarin::testing::WriteWholeFile;

struct CheckRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs tessarin-cli with `arguments` (already quoted for the shell) in `folder`.
CheckRun RunCli(const std::string& arguments, const TempDir& folder) {
  std::string command = "cd '" + folder.path() + "' && '" TESSARIN_BINARY_DIR "/bin/tessarin-cli' " + arguments +
                        " > '" + folder.File("out.txt") + "' 2> '" + folder.File("err.txt") + "'";
  int status = std::system(command.c_str());
  CheckRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadWholeFile(folder.File("out.txt"));
  run.err = ReadWholeFile(folder.File("err.txt"));
  return run;
}

std::string Example(const std::string& name) { return "'" TESSARIN_SOURCE_DIR "/examples/" + name + "'"; }

TEST(CheckCommand, EveryExampleReadsCompletely) {
  TempDir folder;
  // The user programs of the examples read their data files from the
  // working directory, which must be the input file's folder for that.
  for (const auto& entry : std::filesystem::directory_iterator(TESSARIN_SOURCE_DIR "/examples"))
    std::filesystem::copy_file(entry.path(), folder.File(entry.path().filename().string()));
  int examples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TESSARIN_SOURCE_DIR "/examples")) {
    if (entry.path().extension() != ".inp") continue;
    ++examples;
    const std::string name = entry.path().filename().string();
    CheckRun run = RunCli("check " + name, folder);
    EXPECT_EQ(run.exitCode, 0) << name << ":\n" << run.out << run.err;
    EXPECT_EQ(run.err.find("Error"), std::string::npos) << name << ":\n" << run.err;
    EXPECT_EQ(run.out.rfind(name + ": read without errors: ", 0), 0u) << run.out;
  }
  EXPECT_GE(examples, 4);
  // The twin cylinder's facets coincide with those of S10 and are shared.
  CheckRun run = RunCli("check " + Example("macrobodies.inp"), folder);
  EXPECT_EQ(run.err, "Warning: Surfaces 21 and 10 coincide.\n  at macrobodies.inp:20: S21 RCC 0 0 0  0 0 10  2\n");
  EXPECT_EQ(run.out,
            "macrobodies.inp: read without errors: 10 cells in 2 materials, 2 surfaces, 11 macrobodies, 0 unions, "
            "0 user programs\n");
}

TEST(CheckCommand, SystemRunsCommandsOnlyWithAllowSystem) {
  TempDir folder;
  WriteWholeFile(folder.File("in.txt"), "PROGRAM run\n  System(\"touch ran\")\nEND PROGRAM\nS1 S 0 0 0 5\nC1 0 -1\n");
  CheckRun refused = RunCli("check in.txt", folder);
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("Runtime error when executing the built-in function \"System\" (the command was not "
                             "run: commands of the system shell are not allowed in this reading of the input file; "
                             "tessarin-cli runs them with --allow-system)."),
            std::string::npos)
      << refused.err;
  EXPECT_FALSE(std::filesystem::exists(folder.File("ran")));
  CheckRun allowed = RunCli("check in.txt --allow-system", folder);
  EXPECT_EQ(allowed.exitCode, 0) << allowed.out;
  EXPECT_TRUE(std::filesystem::exists(folder.File("ran")));
}

// The radius within which the density exp(-r/5) holds the mass
// 4*pi*(250 - exp(-r/5)*(5r^2 + 50r + 250)), for a fraction of the mass
// within radius 10, by bisection.
double ShellRadius(double fraction) {
  auto mass = [](double r) { return 250 - std::exp(-r / 5) * (5 * r * r + 50 * r + 250); };
  double lo = 0, hi = 10;
  for (int i = 0; i < 200; ++i) {
    double mid = 0.5 * (lo + hi);
    (mass(mid) < fraction * mass(10) ? lo : hi) = mid;
  }
  return lo;
}

TEST(CheckCommand, ExampleProgramReadsDataIntegratesAndFindsShellRadii) {
  TempDir folder;
  for (const char* name : {"program_integrals.inp", "program_integrals.dat"})
    std::filesystem::copy_file(std::string(TESSARIN_SOURCE_DIR "/examples/") + name, folder.File(name));
  CheckRun run = RunCli("check program_integrals.inp --dump", folder);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  const double fractions[] = {0.2, 0.45, 0.7, 0.9};
  for (int k = 0; k < 4; ++k) {
    std::string head = "S" + std::to_string(101 + k) + " kind=sphere useCount=0 point=0,0,0 radius=";
    std::size_t at = run.out.find(head);
    ASSERT_NE(at, std::string::npos) << run.out;
    double radius = std::strtod(run.out.c_str() + at + head.size(), nullptr);
    EXPECT_NEAR(radius, ShellRadius(fractions[k]), 1e-7);
  }
  EXPECT_NE(run.out.find("S200 kind=sphere useCount=0 point=0,0,0 radius=10\n"), std::string::npos);
  // Lead and water alternate from the core outwards.
  EXPECT_NE(run.out.find("C102 material=M2 concentration=-11.3 surfaces=S101,S102 senses=+1,-1"), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("C103 material=M1 concentration=-1 surfaces=S102,S103 senses=+1,-1"), std::string::npos);
  EXPECT_NE(run.out.find("C999 material=M0 concentration=0 surfaces=S200 senses=+1"), std::string::npos);
}

TEST(CheckCommand, DumpShowsWhatWasUnderstood) {
  TempDir folder;
  WriteWholeFile(folder.File("in.txt"), "TR1 1 2 3\nS5 1 RPP 0 1 0 1 0 1\nS6 P -1 0 0 -2\n");
  CheckRun run = RunCli("check in.txt --dump", folder);
  EXPECT_EQ(run.exitCode, 1);
  // No location for a message about the whole file.
  EXPECT_EQ(run.err, "Error: There are no cells defined.\n");
  EXPECT_EQ(run.out.substr(0, run.out.find("S5.2 ")),
            "precision distance=1e-12 angle=1e-12 maxDistanceRatio=1e+20\n"
            "mode 1\n"
            "loaded 0\n"
            // S6 coincides with the box's first facet, which takes it over.
            "S6 kind=plane useCount=1 point=2,3,4 direction=-1,0,0 planeConstant=2\n");
  EXPECT_NE(run.out.find("S5 kind=RPP copyRoot=none facets=6\n"
                         "  facet 1 surface=S6 sense=+1 originMacrobody=0 originFacet=0\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("  parameters=1,2,2,3,3,4\n"), std::string::npos);
  EXPECT_NE(run.out.find("TR1 origin=1,2,3 matrix=1,0,0,0,1,0,0,0,1\n"), std::string::npos);
}

TEST(CheckCommand, ErrorsAndUsage) {
  TempDir folder;
  WriteWholeFile(folder.File("bad.txt"), "S1 P 0 0 1 5\nS1 S 0 0 0 1\nS2 P 0 0 1 6\n");
  CheckRun run = RunCli("check bad.txt", folder);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "Error: Duplicate surface identifier \"S1\".\n  at bad.txt:2: S1 S 0 0 0 1\n");

  run = RunCli("check missing.txt", folder);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "tessarin-cli check: File \"" + folder.File("missing.txt") + "\" could not be opened for reading.\n");

  EXPECT_EQ(RunCli("check", folder).exitCode, 2);
  EXPECT_EQ(RunCli("check bad.txt --set 2", folder).exitCode, 2);
  EXPECT_EQ(RunCli("check --help", folder).exitCode, 0);
}

TEST(CheckCommand, InterruptedProgramFailsTheRead) {
  TempDir folder;
  // jn of a huge order once ran for seconds past the time limit inside one
  // call; now it answers at once and the read succeeds.
  WriteWholeFile(folder.File("bessel.inp"),
                 "S1 S 0 0 0 10\nPROGRAM b\n  x = jn(1e300, 1)\n  Dir(\"C1 0 -1\")\nEND PROGRAM\n");
  CheckRun run = RunCli("check bessel.inp --time-limit 5", folder);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  // However the program meets the time limit (at once, or in straight-line
  // code it cannot leave early), the read has been interrupted and fails.
  std::string program = "S1 S 0 0 0 10\nPROGRAM p\n  Print(\"start\")\n";
  std::string work = "  w = 0";
  for (int k = 0; k < 60; ++k) work += " + sin(" + std::to_string(k) + ")";
  for (int line = 0; line < 300; ++line) program += work + "\n";
  WriteWholeFile(folder.File("late.inp"), program + "END PROGRAM\nC1 0 -1\n");
  run = RunCli("check late.inp --time-limit 1e-9", folder);
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_NE(run.err.find("Execution of the program was interrupted"), std::string::npos) << run.err;
}

TEST(CheckCommand, ParameterSetFromAParameterFile) {
  TempDir folder;
  WriteWholeFile(folder.File("in.txt"), "S1 S 0 0 0 1\n");
  CheckRun run = RunCli("check in.txt --params '" TESSARIN_SOURCE_DIR "/examples/demo.tesprm' --set 1", folder);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "Error: There are no cells defined.\n");
  EXPECT_EQ(RunCli("check in.txt --params nowhere.tesprm", folder).exitCode, 1);
}

}  // namespace
}  // namespace tessarin::input::testing
