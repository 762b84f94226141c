#include "launch/file_names.h"

#include <gtest/gtest.h>

#include "launch/run_folders.h"
#include "launch/suffix_expansion.h"

namespace tessarin::launch {
namespace {

const LaunchContext kContext{"/sim/", 3};

settings::VIEWPARM RunSet() {
  settings::VIEWPARM set;
  set.InputFileFolder = "/sim/";
  set.InputFN = "run.txt";
  return set;
}

TEST(Suffix, SetNumberReplacesTheMarker) {
  EXPECT_EQ(ExpandSuffix("_run%d", 3), "_run3");
  EXPECT_EQ(ExpandSuffix("_out", 3), "_out");
  EXPECT_EQ(ExpandSuffix("%d_x", 12), "12_x");
  EXPECT_EQ(ExpandSuffix("", 1), "");
  // Other '%' uses are copied, never used as a format.
  EXPECT_EQ(ExpandSuffix("_%s%n%d%d", 4), "_%s%n4%d");
}

TEST(FileNames, DerivedFromTheInputFile) {
  settings::VIEWPARM set = RunSet();
  set.InputFN = "run.v2.txt";
  set.suffix = "_r%d";
  set.logSuffix = "_log";
  DerivedFileNames names = DeriveFileNames(set, kContext);
  EXPECT_EQ(names.output, "/sim/run.v2_r3.txt");
  EXPECT_EQ(names.log, "/sim/run.v2_log.txt");
  EXPECT_EQ(names.trackData, "/sim/Files_run.v2_r3.txt/run.v2_r3_tracks.txt");
  EXPECT_EQ(names.rtScript, "/sim/run.v2.rt");
}

TEST(FileNames, TrackDataBesideTheDefaultOutput) {
  EXPECT_EQ(TrackDataFilePath(RunSet(), kContext), "/sim/Files_run_out.txt/run_out_tracks.txt");
}

TEST(FileNames, CustomNamesWhenTheSuffixIsEmpty) {
  settings::VIEWPARM set = RunSet();
  set.suffix.clear();
  set.logSuffix.clear();
  set.OutputFileName = "/results/out.dat";
  set.LogFileName = "logs/run.log";
  EXPECT_EQ(OutputFilePath(set, kContext), "/results/out.dat");
  EXPECT_EQ(LogFilePath(set, kContext), "logs/run.log");
  EXPECT_EQ(TrackDataFilePath(set, kContext), "/results/Files_out.dat/out_tracks.txt");
  set.OutputFileName = "plain";
  EXPECT_EQ(TrackDataFilePath(set, kContext), "Files_plain/plain_tracks.txt");
  set.OutputFileName.clear();
  EXPECT_EQ(TrackDataFilePath(set, kContext), "");
}

TEST(FileNames, CustomTrackDataFile) {
  settings::VIEWPARM set = RunSet();
  set.useCustomTrackFN = 1;
  set.TrackFN = "tracks/mine.txt";
  EXPECT_EQ(TrackDataFilePath(set, kContext), "tracks/mine.txt");
}

TEST(FileNames, FoldersDefaultToTheStartupDirectory) {
  settings::VIEWPARM set = RunSet();
  set.InputFileFolder = "  ";
  set.MGEDsuffix = "_v%d";
  EXPECT_EQ(OutputFilePath(set, kContext), "/sim/run_out.txt");
  EXPECT_EQ(RtScriptPath(set, kContext), "/sim/run_v3.rt");
  set.ScriptFolder = "/scripts";
  set.InputFileFolder = "runs";
  EXPECT_EQ(RtScriptPath(set, kContext), "/scripts/run_v3.rt");
  EXPECT_EQ(OutputFilePath(set, kContext), "runs/run_out.txt");
}

TEST(RunFolders, ConsoleDirectoryByOption) {
  settings::VIEWPARM set = RunSet();
  set.InputFileFolder = "/in/";
  set.VarnholtFolder = "bin";
  set.cmdFolder = "/work\\here";
  set.cmdFolderOption = 0;
  EXPECT_EQ(ConsoleDirectory(set, "/sim/"), "/in/");
  set.cmdFolderOption = 1;
  EXPECT_EQ(ConsoleDirectory(set, "/sim/"), "/sim/bin/");
  set.cmdFolderOption = 2;
  EXPECT_EQ(ConsoleDirectory(set, "/sim/"), "/sim/");
  set.cmdFolderOption = 3;
  EXPECT_EQ(ConsoleDirectory(set, "/sim/"), "/work/here/");
  set.cmdFolder = "\t ";
  EXPECT_EQ(ConsoleDirectory(set, "/sim/"), "/sim/");
  set.cmdFolderOption = 9;
  EXPECT_EQ(ConsoleDirectory(set, "/sim/"), "/sim/");
}

}  // namespace
}  // namespace tessarin::launch
