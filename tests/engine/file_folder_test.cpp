// Where user programs may open files: they read in the input file's folder
// and its tree and write there new files and their own, whatever links lie
// on the way, unless the user allows more.

#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/messages.h"
#include "engine/program_file_record.h"
#include "engine/protected_folders.h"
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
  // A reading of its own, as a later run of the same input file would be.
  void WriteInAnotherReading(const std::string& name) const {
    EngineHarness reading;
    reading.compiler.SetFileFolders(In(""), In(""));
    reading.Program({"FopenW(\"" + name + "\")", "Write(\"by a program\")", "FcloseW()"});
  }

  TempDir root_;
  EngineHarness engine_;
};


TEST_F(FileFolder, WritingOnlyInTheFolderItself) {
  ExpectOpenings("FopenW", Msg::kWriteOutsideFolder,
                 {
                     {"w.txt", ""},
                     {"sub/../w2.txt", ""},
                     {root_.File("in/w3.txt"), ""},
                     {Outside(), Outside()},
                     {"../outside.txt", Outside()},
                     {"sub/w.txt", In("sub/w.txt")},
                     {"link_out", Outside()},
                     {"dangling", root_.File("new.txt")},
                     {"sub/up/outside.txt", Outside()},
                 });
  EXPECT_EQ(ReadWholeFile(Outside()), "outside\n");
  EXPECT_FALSE(std::filesystem::exists(root_.File("new.txt")));
  EXPECT_FALSE(std::filesystem::exists(In("sub/w.txt")));
}

TEST_F(FileFolder, ReplacingAFileNeedsTheYesUnlessAProgramOfTheFolderWroteItAsItIsNow) {
  for (const char* name : {"mine.txt", "target2.txt", "changed.txt", "replaced.txt", "linked.txt", "chmod.txt"})
    WriteInAnotherReading(name);
  Link("target2.txt", "link_mine");
  std::filesystem::resize_file(In("changed.txt"), 3);
  std::filesystem::remove(In("replaced.txt"));
  WriteWholeFile(In("replaced.txt"), "by a program\n");
  std::filesystem::create_hard_link(In("linked.txt"), root_.File("other_name.txt"));
  std::filesystem::permissions(In("chmod.txt"), std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
  // A hard link into the folder to a file the user keeps elsewhere.
  std::filesystem::create_hard_link(Outside(), In("hard.txt"));
  struct Case {
    std::string path;
    Msg need;  // kWriteNeedsPermission: opens
    std::string file;
  };
  const std::vector<Case> cases = {
      {"mine.txt", Msg::kWriteNeedsPermission, ""},
      {"link_mine", Msg::kWriteNeedsPermission, ""},
      {"data.txt", Msg::kReasonNotProgramsOwn, In("data.txt")},
      {"link_in", Msg::kReasonNotProgramsOwn, In("target.txt")},
      {"changed.txt", Msg::kReasonNotProgramsOwn, In("changed.txt")},
      {"replaced.txt", Msg::kReasonNotProgramsOwn, In("replaced.txt")},
      {"linked.txt", Msg::kReasonHardLinks, In("linked.txt")},
      {"hard.txt", Msg::kReasonHardLinks, In("hard.txt")},
      {"chmod.txt", Msg::kReasonExecutable, In("chmod.txt")},
      {".profile", Msg::kReasonDotName, In(".profile")},
      {std::string(kProgramFileRecordName), Msg::kReasonDotName, In(std::string(kProgramFileRecordName))},
  };
  for (const Case& one : cases) {
    std::string expected = one.file.empty() ? "1\n"
                                            : Refusal("FopenW", Msg::kWriteNeedsPermission, one.file,
                                                      std::string(MessageText(one.need)));
    EXPECT_EQ(Open("FopenW", one.path), expected) << one.path;
  }
  EXPECT_EQ(ReadWholeFile(In("data.txt")), "1 2\n");
  EXPECT_EQ(ReadWholeFile(In("target.txt")), "target\n");
  EXPECT_EQ(ReadWholeFile(Outside()), "outside\n");
  EXPECT_FALSE(std::filesystem::exists(In(".profile")));
}

TEST_F(FileFolder, AGarbledRecordNamesNoFile) {
  WriteInAnotherReading("mine.txt");
  WriteWholeFile(In(std::string(kProgramFileRecordName)), "garbled\n");
  EXPECT_EQ(Open("FopenW", "mine.txt"), Refusal("FopenW", Msg::kWriteNeedsPermission, In("mine.txt"),
                                                std::string(MessageText(Msg::kReasonNotProgramsOwn))));
}

TEST_F(FileFolder, EvenAYesDoesNotLetAProgramWriteTheRecord) {
  WriteInAnotherReading("mine.txt");
  const std::string record = ReadWholeFile(In(std::string(kProgramFileRecordName)));
  RecordingPermission yes(true);
  engine_.compiler.SetFilePermission(&yes);
  Link(std::string(kProgramFileRecordName), "record_link");
  EXPECT_EQ(Open("FopenW", std::string(kProgramFileRecordName)), "0\n");
  EXPECT_EQ(Open("FopenW", "record_link"), "0\n");
  EXPECT_EQ(yes.reasons, std::vector<std::string>{std::string(MessageText(Msg::kReasonDotName))});
  EXPECT_EQ(ReadWholeFile(In(std::string(kProgramFileRecordName))), record);
  // The yes covers the user's own files; they do not become the programs'.
  EXPECT_EQ(Open("FopenW", "data.txt"), "1\n");
  WriteInAnotherReading("data.txt");
  EXPECT_EQ(ReadWholeFile(In("data.txt")), "");
}

TEST(FileFolderAtHome, NothingIsWrittenInTheHomeFolderWithoutTheYes) {
  TempDir home;
  std::string saved = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  ::setenv("HOME", home.path().c_str(), 1);
  WriteWholeFile(home.File("data.txt"), "1 2\n");
  EngineHarness engine;
  engine.compiler.SetFileFolders(home.path(), home.path());
  Outcome outcome = engine.Program({"FopenR(\"data.txt\")", "FopenW(\"new.txt\")"});
  ::setenv("HOME", saved.c_str(), 1);
  EXPECT_EQ(outcome.message, Refusal("FopenW", Msg::kWriteNeedsPermission, home.File("new.txt"),
                                     std::string(MessageText(Msg::kReasonProtectedFolder))));
  EXPECT_FALSE(std::filesystem::exists(home.File("new.txt")));
}

TEST(ProtectedFolders, TheRootTheHomeAndTheSystemsFolders) {
  const std::vector<std::pair<std::string, bool>> folders = {
      {"/", true},          {"/etc", true},        {"/etc/cron.d", true}, {"/usr/local/share", true},
      {"/lib64", true},     {"/var", true},        {"/var/lib/x", true},  {"/opt/tool", true},
      {"/root", true},      {"/proc/self", true},  {"/tmp", false},       {"/tmp/project", false},
      {"/var/tmp", false},  {"/var/tmp/p", false}, {"/home", false},      {"/etcetera", false},
      {"/srv/www", true},   {"/run/user/1", true}, {"/data/run", false},
  };
  for (const auto& [folder, expected] : folders) EXPECT_EQ(IsProtectedFolder(folder), expected) << folder;
}

TEST(CreatedFileLimit, ANewFilePastTheLimitEndsTheProgramButOwnFilesStillOpen) {
  TempDir folder;
  EngineHarness engine;
  engine.compiler.SetFileFolders(folder.path(), folder.path());
  engine.compiler.SetCreatedFileLimit(3);
  Outcome outcome = engine.Program({"for (k = 1; k <= 5; k = k + 1) {", "FopenW(\"e\", k)", "}"});
  EXPECT_EQ(outcome.message, "Runtime error when executing the built-in function \"FopenW\" " +
                                 Format(Msg::kTooManyFilesCreated, folder.File("e4").c_str(), 3));
  EXPECT_FALSE(std::filesystem::exists(folder.File("e4")));
  EXPECT_EQ(engine.Program({"a = FopenW(\"e1\")", "Dir(a)"}).lines, std::vector<std::string>{"1\n"});
}

TEST(ProgramFileRecord, ReadsBackWhatItWroteAndNothingOfAGarbledText) {
  ProgramFileRecord record;
  struct stat status {};
  status.st_mode = S_IFREG | 0644;
  status.st_dev = 2049;
  status.st_ino = 77;
  status.st_size = 12;
  status.st_mtim = {1700000000, 5};
  status.st_ctim = {1700000001, 6};
  record.Note("out file.txt", status);
  record.Note("bad\nname", status);
  ProgramFileRecord again;
  ASSERT_TRUE(again.Parse(record.Text()));
  EXPECT_TRUE(again.Owns("out file.txt", status));
  EXPECT_FALSE(again.Owns("bad\nname", status));
  for (auto change : std::vector<void (*)(struct stat&)>{
           [](struct stat& s) { s.st_ino = 78; }, [](struct stat& s) { s.st_size = 13; },
           [](struct stat& s) { s.st_mtim.tv_nsec = 4; }, [](struct stat& s) { s.st_ctim.tv_sec = 1; },
           [](struct stat& s) { s.st_mode = S_IFLNK | 0777; }}) {
    struct stat changed = status;
    change(changed);
    EXPECT_FALSE(again.Owns("out file.txt", changed));
  }
  const std::string text = record.Text();
  for (const std::string& garbled : {std::string("x\n") + text, text.substr(0, text.size() - 1),
                                     text + "1 2 3 4 name\n", text + "1 2 3 4 5 \n", text + "1 2 x 4 5 n\n"}) {
    EXPECT_FALSE(again.Parse(garbled)) << garbled;
    EXPECT_FALSE(again.Owns("out file.txt", status));
  }
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
