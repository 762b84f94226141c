// Input files whose user programs reach for the rest of the machine, read by
// every command that reads an input file. Each run takes place in a box of
// its own: the start-up folder (also HOME) and the input file's folder side
// by side, with the files a program might go for beside them, so that even
// a failing run touches nothing outside the test's temporary folder.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "support/test_files.h"

namespace tessarin::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

constexpr const char* kTimeLimitText = "The user program has run for more than the time limit of 1 seconds.";

class InputFileSandbox : public ::testing::Test {
 protected:
  InputFileSandbox() {
    fs::create_directories(Home());
    fs::create_directories(In());
    WriteWholeFile(Home() + ".bashrc", "original\n");
    WriteWholeFile(Box() + "victim.txt", "victim\n");
    WriteWholeFile(Box() + "secret.txt", "7 8 9\n");
    fs::create_symlink(Box() + "victim.txt", In() + "link_to_victim");
    // A terabyte of zeros that takes no room, for the program that skips lines.
    WriteWholeFile(In() + "lines.txt", "");
    fs::resize_file(In() + "lines.txt", std::uintmax_t{1} << 40);
  }

  std::string Box() const { return root_.File("box/"); }
  std::string Home() const { return Box() + "home/"; }
  std::string In() const { return Box() + "in/"; }

  // A reproducer from tests/data/security in the input folder; the absolute
  // path one of them writes is moved into the temporary folder.
  void Copy(const std::string& name, const std::string& folder = "") const {
    std::string text = ReadWholeFile(TestDataFile("security/" + name));
    const std::string moved = "\"" + root_.path();
    for (std::size_t at = 0; (at = text.find("\"/tmp/", at)) != std::string::npos; at += moved.size())
      text.replace(at, 6, moved);
    WriteWholeFile((folder.empty() ? In() : folder) + name, text);
  }
  static std::string NeedsYes(const std::string& file, const std::string& reason) {
    return "the file \"" + file + "\" was not opened without the user's permission: " + reason;
  }
  // The demo parameter file in the start-up folder, its current set naming
  // the input file.
  void WriteParameterFile(const std::string& input) const {
    std::string demo = ReadWholeFile(std::string(TESSARIN_SOURCE_DIR) + "/examples/demo.tesprm");
    demo.replace(demo.find("InputFileFolder = \n"), 19, "InputFileFolder = " + In() + "\n");
    demo.replace(demo.find("InputFN = demo_lattice.inp\n"), 27, "InputFN = " + input + "\n");
    WriteWholeFile(Home() + "p.tesprm", demo);
  }
  CliRun Run(const std::vector<std::string>& args, const std::string& folder = "") const {
    return RunTessarinCli(args, folder.empty() ? Home() : folder, "", Home());
  }

  // Every file under the temporary folder with its contents (the sparse
  // file by its size).
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root_.path())) {
      std::string path = entry.path().string();
      if (entry.is_symlink()) files[path] = "-> " + fs::read_symlink(entry.path()).string();
      else if (path == In() + "lines.txt") files[path] = std::to_string(entry.file_size());
      else if (entry.is_regular_file()) files[path] = ReadWholeFile(path);
      else files[path] = "folder";
    }
    return files;
  }

  static std::vector<std::string> CommandLine(const std::string& command, const std::string& input,
                                              const std::string& parameters) {
    if (command == "check") return {"check", input};
    if (command == "rt") return {"rt", parameters, "--yes"};
    if (command == "plot") return {"plot", parameters, "--pixels", "20x20", "-o", "slice.png"};
    return {"overlaps", parameters, "--rays", "10"};
  }

  TempDir root_;
};

struct Reproducer {
  std::string file;
  std::vector<std::string> commands;  // check, rt, plot, overlaps
  std::vector<std::string> options;
  std::string message;
  bool fromInputFolder = false;  // run there, as the file's own data is there
};

TEST_F(InputFileSandbox, EveryReproducerEndsWithAMessageAndExitOneTouchingNothing) {
  const std::vector<Reproducer> reproducers = {
      {"sec_bashrc.inp", {"check", "rt", "plot", "overlaps"}, {}, "the file \"" + Home() + ".bashrc\" was not opened"},
      {"sec_write.inp", {"check", "rt"}, {}, "the file \"" + root_.File("tessarin_written_by_an_input_file.txt")},
      {"sec_read.inp", {"check", "plot"}, {}, "the file \"" + Box() + "secret.txt\" was not opened"},
      {"hang_skiplines.inp", {"check", "rt", "plot", "overlaps"}, {"--time-limit", "1"}, kTimeLimitText, true},
      {"hang_sort.inp", {"check"}, {"--time-limit", "1"}, kTimeLimitText},
      {"mem_arrays.inp", {"check", "overlaps"}, {}, "Array \"A\" would bring the memory of all arrays to 1.8626 GB."},
  };
  for (const Reproducer& reproducer : reproducers) {
    Copy(reproducer.file);
    WriteParameterFile(reproducer.file);
    const std::map<std::string, std::string> before = Snapshot();
    for (const std::string& command : reproducer.commands) {
      std::vector<std::string> args = CommandLine(command, In() + reproducer.file, Home() + "p.tesprm");
      args.insert(args.end(), reproducer.options.begin(), reproducer.options.end());
      CliRun run = Run(args, reproducer.fromInputFolder ? In() : Home());
      EXPECT_EQ(run.exitCode, 1) << reproducer.file << " " << command << ":\n" << run.err;
      EXPECT_THAT(run.err, HasSubstr(reproducer.message)) << reproducer.file << " " << command;
      EXPECT_EQ(Snapshot(), before) << reproducer.file << " " << command;
    }
  }
}

TEST_F(InputFileSandbox, WritingWithoutEndStopsAtTheWriteLimitOrTheTimeLimit) {
  Copy("sec_fill.inp");
  WriteParameterFile("sec_fill.inp");
  // Run from the input folder, so that the file it fills lies there.
  CliRun check = Run({"check", "sec_fill.inp"}, In());
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_THAT(check.err, HasSubstr("\"Write\" (the text was not written: the user programs of one reading may write "
                                   "at most 100 MB to files)."));
  EXPECT_LE(fs::file_size(In() + "big.out"), std::uintmax_t{100} << 20);
  // With the record that names it as the program's own.
  fs::remove(In() + "big.out");
  fs::remove(In() + ".tessarin-program-files");
  const std::map<std::string, std::string> before = Snapshot();
  CliRun rt = Run({"rt", Home() + "p.tesprm", "--time-limit", "1"}, In());
  EXPECT_EQ(rt.exitCode, 1);
  EXPECT_THAT(rt.err, HasSubstr(kTimeLimitText));
  fs::remove(In() + "big.out");
  fs::remove(In() + ".tessarin-program-files");
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(InputFileSandbox, ALinkOutOfTheFolderIsFollowedOnlyWithAllowFiles) {
  // Relative paths start in the start-up folder, where the simulator runs.
  WriteWholeFile(In() + "link.inp",
                 "M1 \"water\"\nARRAYS\n  double A[3]\nEND ARRAYS\nPROGRAM p\n  FopenW(\"../in/link_to_victim\")\n"
                 "  Write(\"overwritten\")\n  FcloseW()\n  FopenR(\"../secret.txt\")\n  n = ReadArray(loc(A))\n"
                 "  Dir(\"S1 S 0 0 0 \", A[1])\n  Dir(\"C1 1 -1 -1\")\n  Dir(\"C2 0 1\")\nEND PROGRAM\n");
  CliRun refused = Run({"check", "../in/link.inp", "--dump"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_THAT(refused.err, HasSubstr("the file \"" + Box() + "victim.txt\" was not opened"));
  EXPECT_EQ(ReadWholeFile(Box() + "victim.txt"), "victim\n");
  CliRun allowed = Run({"check", "../in/link.inp", "--dump", "--allow-files"});
  EXPECT_EQ(allowed.exitCode, 0) << allowed.err;
  EXPECT_EQ(ReadWholeFile(Box() + "victim.txt"), "overwritten\n");
  EXPECT_THAT(allowed.out, HasSubstr("point=0,0,0 radius=7\n"));
}

TEST_F(InputFileSandbox, AProgramPlantsNothingAtHomeNorInFilesNoProgramWrote) {
  Copy("sec_home_bashrc.inp", Home());
  Copy("sec_tesprm_rewrite.inp");
  Copy("sec_tesprm_rewrite.tesprm");
  Copy("sec_hardlink.inp");
  fs::rename(In() + "sec_tesprm_rewrite.tesprm", In() + "run.tesprm");
  fs::create_hard_link(Box() + "victim.txt", In() + "hard.txt");
  struct Case {
    std::string folder;
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {Home(), {"check", "sec_home_bashrc.inp"}, NeedsYes(Home() + ".bashrc", "its folder is the home folder")},
      {In(),
       {"check", "sec_tesprm_rewrite.inp", "--params", "run.tesprm"},
       NeedsYes(In() + "run.tesprm", "it exists, and no user program of this folder wrote it")},
      {In(), {"check", "sec_hardlink.inp"}, NeedsYes(In() + "hard.txt", "it has more than one name")},
  };
  for (const Case& one : cases) {
    const std::map<std::string, std::string> before = Snapshot();
    CliRun run = Run(one.args, one.folder);
    EXPECT_EQ(run.exitCode, 1) << one.args[1] << ":\n" << run.err;
    EXPECT_THAT(run.err, HasSubstr(one.message)) << one.args[1];
    EXPECT_EQ(Snapshot(), before) << one.args[1];
  }
  // The user's yes lets it.
  EXPECT_EQ(Run({"check", "sec_home_bashrc.inp", "--allow-files"}, Home()).exitCode, 0);
  EXPECT_THAT(ReadWholeFile(Home() + ".bashrc"), HasSubstr("planted by an input file"));
}

TEST_F(InputFileSandbox, LaterReadingsReplaceTheProgramsOwnFilesButNotWhatTheUserChanged) {
  WriteWholeFile(In() + "own.inp",
                 "M1 \"water\"\nPROGRAM p\n  FopenW(\"result.txt\")\n  Write(\"by the program\")\n  FcloseW()\n"
                 "  Dir(\"S1 S 0 0 0 10\")\n  Dir(\"C1 1 -1 -1\")\n  Dir(\"C2 0 1\")\nEND PROGRAM\n");
  for (int reading = 1; reading <= 2; ++reading) {
    CliRun run = Run({"check", "own.inp"}, In());
    EXPECT_EQ(run.exitCode, 0) << reading << ":\n" << run.err;
  }
  EXPECT_EQ(ReadWholeFile(In() + "result.txt"), "by the program\n");
  WriteWholeFile(In() + "result.txt", "edited by the user\n");
  CliRun refused = Run({"check", "own.inp"}, In());
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_THAT(refused.err, HasSubstr(NeedsYes(In() + "result.txt", "it exists")));
  EXPECT_EQ(ReadWholeFile(In() + "result.txt"), "edited by the user\n");
}

TEST_F(InputFileSandbox, AReadingCreatesAtMostAThousandFiles) {
  Copy("sec_many_files.inp");
  CliRun run = Run({"check", "sec_many_files.inp"}, In());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_THAT(run.err, HasSubstr("(the file \"" + In() + "e1001\" was not created: the user programs of one reading "
                                 "may create at most 1000 files)."));
  EXPECT_THAT(run.err, HasSubstr("of user program \"p\""));
  int created = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(In()))
    created += entry.path().filename().string().starts_with("e") ? 1 : 0;
  EXPECT_EQ(created, 1000);
}

TEST_F(InputFileSandbox, GeneratingLinesWithoutEndStopsTheReadingAtTheBound) {
  Copy("sec_dir_flood.inp");
  CliRun run = Run({"check", "sec_dir_flood.inp"}, In());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_THAT(run.err, HasSubstr("Error: program \"p\" has generated more directive lines than one reading of an "
                                 "input file may hold together (4000000 lines or 256 MB), so the reading stops.\n"
                                 "  at sec_dir_flood.inp:3: PROGRAM p\n"));
}

TEST_F(InputFileSandbox, ATimeLimitIsAPositiveNumberOfSeconds) {
  for (const char* command : {"check", "rt", "plot", "overlaps"}) {
    CliRun bad = Run({command, "p.tesprm", "--time-limit", "0"});
    EXPECT_EQ(bad.exitCode, 2) << command;
    EXPECT_THAT(bad.err, HasSubstr("--time-limit needs a positive number of seconds")) << command;
  }
}

}  // namespace
}  // namespace tessarin::testing
