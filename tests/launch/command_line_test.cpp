#include "launch/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace tessarin::launch {
namespace {

const LaunchContext kContext{"/sim/", 2};

// The simulator sitting in the start-up directory, the console starting there.
settings::VIEWPARM SetInSimFolder() {
  settings::VIEWPARM set;
  set.VarnholtFolder = "/sim/";
  set.VarnholtExeName = "Varnholt";
  set.cmdFolderOption = 2;
  set.InputFileFolder = "/sim/";
  set.InputFN = "a.txt";
  return set;
}

std::string Build(settings::VIEWPARM set, const LaunchContext& context = kContext) {
  return BuildCommandLine(set, context).text;
}

TEST(CommandLine, TypicalRunWithQuotedPathsAndNumberedSuffix) {
  settings::VIEWPARM set = SetInSimFolder();
  set.nThreads = 4;
  set.checkSyntax_Varnholt = 1;
  set.quitAfterChecking = 0;
  set.createLog = 2;
  set.systemVariables[1] = 2.5;
  set.InputFileFolder = "/sim/my runs/";
  set.suffix = "_r%d";
  EXPECT_EQ(Build(set), "Varnholt tasks 4 check 1 @1 2.5 in \"my runs/a.txt\" out \"my runs/a_r2.txt\"");
}

// A backslash in a file name is part of the name: the simulator is given the
// very file Tessarin reads, and the names derived from it keep it too.
TEST(CommandLine, ABackslashInAFileNameIsKept) {
  settings::VIEWPARM set = SetInSimFolder();
  set.InputFN = "we\\ird.inp";
  set.suffix = "_r%d";
  EXPECT_EQ(Build(set), "Varnholt in 'we\\ird.inp' out 'we\\ird_r2.txt'");
}

TEST(CommandLine, NoProgramNoCommandLine) {
  settings::VIEWPARM set = SetInSimFolder();
  set.VarnholtExeName.clear();
  CommandLine line = BuildCommandLine(set, kContext);
  EXPECT_EQ(line.text, "");
  EXPECT_FALSE(line.tooLong);
}

TEST(CommandLine, DefaultSuffixesAreLeftToTheSimulator) {
  settings::VIEWPARM set = SetInSimFolder();
  set.createLog = 1;
  EXPECT_EQ(Build(set), "Varnholt writeLog 1 in a.txt");
  set.suffix = "_OUT";
  set.logSuffix = "_Log";
  EXPECT_EQ(Build(set), "Varnholt writeLog 1 in a.txt");
  set.logSuffix = "_l";
  EXPECT_EQ(Build(set), "Varnholt writeLog 1 in a.txt log a_l.txt");
  set.createLog = 0;
  EXPECT_EQ(Build(set), "Varnholt writeLog 0 in a.txt");
}

TEST(CommandLine, ThreadCount) {
  settings::VIEWPARM set = SetInSimFolder();
  set.nThreads = -1;
  EXPECT_EQ(Build(set), "Varnholt in a.txt");
  set.nThreads = 0;
  EXPECT_EQ(Build(set), "Varnholt tasks 0 in a.txt");
}

TEST(CommandLine, CheckOptions) {
  settings::VIEWPARM set = SetInSimFolder();
  set.checkSyntax_Varnholt = 0;
  set.quitAfterChecking = 1;
  EXPECT_EQ(Build(set), "Varnholt check 0 in a.txt");
  set.checkSyntax_Varnholt = 2;
  EXPECT_EQ(Build(set), "Varnholt check -1 in a.txt");
  set.quitAfterChecking = 0;
  EXPECT_EQ(Build(set), "Varnholt in a.txt");
  set.checkSyntax_Varnholt = 1;
  set.quitAfterChecking = 1;
  EXPECT_EQ(Build(set), "Varnholt check -1 in a.txt");
}

TEST(CommandLine, AdditionalArgumentsAndSystemVariables) {
  settings::VIEWPARM set = SetInSimFolder();
  set.additionalArgs = "seed  7 \"x y\"";
  set.systemVariables[3] = -0.5;
  set.systemVariables[9] = 0.1;
  set.systemVariables[0] = 1e300;
  EXPECT_EQ(Build(set), "Varnholt seed  7 \"x y\" @0 1e+300 @3 -0.5 @9 0.1 in a.txt");
  set.systemVariables = {};
  set.systemVariables[2] = 1.0 / 3.0;
  EXPECT_EQ(Build(set), "Varnholt seed  7 \"x y\" @2 0.3333333333333333 in a.txt");
}

TEST(CommandLine, EndfFolderRelativeToTheSimulatorFolder) {
  settings::VIEWPARM set = SetInSimFolder();
  set.ENDFfolder = "/sim/";
  EXPECT_EQ(Build(set), "Varnholt dir ./ in a.txt");
  set.ENDFfolder = "/sim/endf data/";
  EXPECT_EQ(Build(set), "Varnholt dir \"endf data/\" in a.txt");
  set.ENDFfolder = "/data/endf/";
  EXPECT_EQ(Build(set), "Varnholt dir /data/endf/ in a.txt");
}

TEST(CommandLine, AlternativeCrossSectionsFileButNotAFolder) {
  settings::VIEWPARM set = SetInSimFolder();
  set.AltCSinfoFN = "/sim/xs/alt.txt";
  EXPECT_EQ(Build(set), "Varnholt alt xs/alt.txt in a.txt");
  set.AltCSinfoFN = "/sim/xs/";
  EXPECT_EQ(Build(set), "Varnholt in a.txt");
  set.AltCSinfoFN = "C:\\xs\\";
  EXPECT_EQ(Build(set), "Varnholt in a.txt");
}

TEST(CommandLine, McnpStyleAndCustomOutputName) {
  settings::VIEWPARM set = SetInSimFolder();
  set.MCNP_style_cmdLine = 1;
  set.suffix.clear();
  set.OutputFileName = "/results/run 1.txt";
  EXPECT_EQ(Build(set), "Varnholt in= a.txt out= \"/results/run 1.txt\"");
  set.OutputFileName = "/results/";
  EXPECT_EQ(Build(set), "Varnholt in= a.txt");
}

TEST(CommandLine, NoInputFileNoInPiece) {
  settings::VIEWPARM set = SetInSimFolder();
  set.InputFN.clear();
  EXPECT_EQ(Build(set), "Varnholt");
}

TEST(CommandLine, PathsAreRelativeToTheConsoleDirectory) {
  settings::VIEWPARM set = SetInSimFolder();
  set.VarnholtFolder = "/opt/varnholt/";
  set.InputFileFolder = "/sim/runs/";
  set.suffix = "_x";
  set.cmdFolderOption = 0;
  EXPECT_EQ(Build(set), "/opt/varnholt/Varnholt in a.txt out a_x.txt");
  set.cmdFolderOption = 1;
  EXPECT_EQ(Build(set), "Varnholt in /sim/runs/a.txt out /sim/runs/a_x.txt");
  set.cmdFolderOption = 3;
  set.cmdFolder = "/sim";
  EXPECT_EQ(Build(set), "/opt/varnholt/Varnholt in runs/a.txt out runs/a_x.txt");
  set.VarnholtFolder = "/opt/my tools/";
  EXPECT_EQ(Build(set), "\"/opt/my tools/Varnholt\" in runs/a.txt out runs/a_x.txt");
}

TEST(CommandLine, BlankFoldersBecomeTheStartupDirectory) {
  settings::VIEWPARM set = SetInSimFolder();
  set.InputFileFolder = " \t";
  set.VarnholtFolder = "";
  set.cmdFolder = "  ";
  set.cmdFolderOption = 3;
  EXPECT_EQ(Build(set), "Varnholt in a.txt");
  BuildCommandLine(set, kContext);
  EXPECT_EQ(set.InputFileFolder, "/sim/");
  EXPECT_EQ(set.VarnholtFolder, "/sim/");
  EXPECT_EQ(set.cmdFolder, "/sim/");
}

TEST(CommandLine, BackslashPathsFromAnotherSystemStillResolve) {
  settings::VIEWPARM set = SetInSimFolder();
  set.InputFileFolder = "my runs\\";
  set.VarnholtFolder = "bin\\";
  set.suffix = "_r%d";
  EXPECT_EQ(Build(set), "bin/Varnholt in \"my runs/a.txt\" out \"my runs/a_r2.txt\"");
}

TEST(CommandLine, OverlongLineIsRefused) {
  settings::VIEWPARM set = SetInSimFolder();
  const std::string base = Build(set);  // "Varnholt in a.txt"
  set.additionalArgs = std::string(kMaxCommandLineLength - base.size() - 1, 'x');
  CommandLine atLimit = BuildCommandLine(set, kContext);
  EXPECT_EQ(atLimit.text.size(), kMaxCommandLineLength);
  EXPECT_FALSE(atLimit.tooLong);
  set.additionalArgs += 'x';
  CommandLine over = BuildCommandLine(set, kContext);
  EXPECT_EQ(over.text, "");
  EXPECT_TRUE(over.tooLong);
}

TEST(CommandLine, QuotesOnlyPiecesWithBlanksOrTabs) {
  EXPECT_EQ(QuoteWhenNeeded("a.txt"), "a.txt");
  EXPECT_EQ(QuoteWhenNeeded("my runs/a.txt"), "\"my runs/a.txt\"");
  EXPECT_EQ(QuoteWhenNeeded("tab\there"), "\"tab\there\"");
}

}  // namespace
}  // namespace tessarin::launch
