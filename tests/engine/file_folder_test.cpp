// Where user programs may open files: they write in the input file's folder
// and read in its tree, whatever links lie on the way, unless the user
// allows more.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/messages.h"
#include "engine_test_support.h"
#include "support/test_files.h"

namespace tessarin::engine::testing {
namespace {

using tessarin::testing::ReadWholeFile;
using tessarin::testing::TempDir;
using tessarin::testing::WriteWholeFile;

std::string Refusal(const char* function, Msg detail, const std::string& where, const std::string& folder) {
  return "Runtime error when executing the built-in function \"" + std::string(function) + "\" " +
         Format(detail, where, folder);
}

// A folder "in/" (the input file's) with a subfolder and links that lead
// back into it or out of it, beside a file outside.
class FileFolder : public ::testing::Test {
 protected:
  FileFolder() {
    std::filesystem::create_directories(In("sub"));
    WriteWholeFile(Outside(), "outside\n");
    WriteWholeFile(In("data.txt"), "1 2\n");
    WriteWholeFile(In("sub/data.txt"), "3 4\n");
    WriteWholeFile(In("target.txt"), "target\n");
    Link(Outside(), "link_out");
    Link("target.txt", "link_in");
    Link(root_.File("new.txt"), "dangling");
    Link(root_.path(), "sub/up");
    engine_.compiler.SetFileFolders(In(""), In(""));
  }

  std::string In(const std::string& name) const { return root_.File("in/" + name); }
  std::string Outside() const { return root_.File("outside.txt"); }
  void Link(const std::string& target, const std::string& name) const {
    ASSERT_EQ(::symlink(target.c_str(), In(name).c_str()), 0) << name;
  }
  std::string FolderText() const { return root_.File("in"); }
  // What the program's file function gave, or the runtime error.
  std::string Open(const std::string& function, const std::string& path) {
    Outcome outcome = engine_.Program({"r = " + function + "(\"" + path + "\")", "Dir(r)"});
    return outcome.lines.size() == 1 ? outcome.lines[0] : outcome.message;
  }
  struct Opening {
    std::string path;
    std::string leadsTo;  // outside the folder; empty: the file opens
  };
  void ExpectOpenings(const char* function, Msg refusal, const std::vector<Opening>& openings) {
    for (const Opening& opening : openings) {
      std::string result = Open(function, opening.path);
      if (opening.leadsTo.empty()) {
        EXPECT_EQ(result, "1\n") << opening.path;
      } else {
        EXPECT_EQ(result, Refusal(function, refusal, opening.leadsTo, FolderText())) << opening.path;
      }
    }
  }
  void WriteThrough(const std::string& path) {
    engine_.Program({"FopenW(\"" + path + "\")", "Write(\"written\")", "FcloseW()"});
  }

  TempDir root_;
  EngineHarness engine_;
};


TEST_F(FileFolder, WritingOnlyInTheFolderItself) {
  ExpectOpenings("FopenW", Msg::kWriteOutsideFolder,
                 {
                     {"w.txt", ""},
                     {"sub/../w2.txt", ""},
                     {"link_in", ""},
                     {root_.File("in/w3.txt"), ""},
                     {Outside(), Outside()},
                     {"../outside.txt", Outside()},
                     {"sub/w.txt", In("sub/w.txt")},
                     {"link_out", Outside()},
                     {"dangling", root_.File("new.txt")},
                     {"sub/up/outside.txt", Outside()},
                 });
  WriteThrough("link_in");
  EXPECT_EQ(ReadWholeFile(In("target.txt")), "written\n");
  EXPECT_EQ(ReadWholeFile(Outside()), "outside\n");
  EXPECT_FALSE(std::filesystem::exists(root_.File("new.txt")));
  EXPECT_FALSE(std::filesystem::exists(In("sub/w.txt")));
}

TEST_F(FileFolder, ReadingInTheFolderAndItsSubfolders) {
  ExpectOpenings("FopenR", Msg::kReadOutsideFolder,
                 {
                     {"data.txt", ""},
                     {"sub/data.txt", ""},
                     {"link_in", ""},
                     {"../outside.txt", Outside()},
                     {"link_out", Outside()},
                     {"sub/up/outside.txt", Outside()},
                 });
}

TEST_F(FileFolder, OneYesAllowsEveryFileOfTheReading) {
  RecordingPermission yes(true);
  engine_.compiler.SetFilePermission(&yes);
  EXPECT_EQ(Open("FopenW", "link_out"), "1\n");
  EXPECT_EQ(Open("FopenR", "../outside.txt"), "1\n");
  WriteThrough(root_.File("elsewhere.txt"));
  EXPECT_EQ(yes.asked, std::vector<std::string>{Outside()});
  EXPECT_EQ(ReadWholeFile(root_.File("elsewhere.txt")), "written\n");
}

TEST_F(FileFolder, OneNoRefusesEveryFileOfTheReadingWithoutAskingAgain) {
  RecordingPermission no(false);
  engine_.compiler.SetFilePermission(&no);
  EXPECT_EQ(Open("FopenW", "../x.txt"), Refusal("FopenW", Msg::kWriteOutsideFolder, root_.File("x.txt"), FolderText()));
  EXPECT_EQ(Open("FopenR", "link_out"), Refusal("FopenR", Msg::kReadOutsideFolder, Outside(), FolderText()));
  EXPECT_EQ(Open("FopenW", "w.txt"), "1\n");
  EXPECT_EQ(no.asked.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(root_.File("x.txt")));
}

TEST_F(FileFolder, ALinkTheProgramMakesItselfLeadsNowhereElse) {
  AllowingCommands commands;
  engine_.compiler.SetCommandPermission(&commands);
  // System runs in the process's own working folder.
  Outcome outcome = engine_.Program({"System(\"ln -s '" + Outside() + "' '" + In("made") + "'\")",
                                     "FopenW(\"made\")", "Write(\"overwritten\")"});
  EXPECT_EQ(outcome.message, Refusal("FopenW", Msg::kWriteOutsideFolder, Outside(), FolderText()));
  EXPECT_EQ(ReadWholeFile(Outside()), "outside\n");
}

TEST(FileFolderUnset, WithoutAFolderEveryFileIsOutside) {
  TempDir folder;
  EngineHarness engine;
  Outcome outcome = engine.Program({"FopenW(\"" + folder.File("x.txt") + "\")"});
  EXPECT_EQ(outcome.status, kStatusRuntimeError);
  EXPECT_FALSE(std::filesystem::exists(folder.File("x.txt")));
}

TEST(WriteLimit, TheTextThatWouldPassItIsNotWrittenAndEndsTheProgram) {
  TempDir folder;
  EngineHarness engine;
  engine.compiler.SetFileFolders(folder.path(), folder.path());
  engine.compiler.SetWriteLimit(10);
  Outcome outcome = engine.Program({"FopenW(\"out.txt\")", "Write(\"12345\")", "Write2(\"1234\")",
                                    "Write2(\"x\")", "Dir(\"not reached\")"});
  EXPECT_EQ(outcome.message, "Runtime error when executing the built-in function \"Write2\" " +
                                 Format(Msg::kWriteLimitReached, 10 / 1048576.0));
  EXPECT_TRUE(outcome.lines.empty());
  engine.Program({"FcloseW()"});
  EXPECT_EQ(ReadWholeFile(folder.File("out.txt")), "12345\n1234");
}

}  // namespace
}  // namespace tessarin::engine::testing
