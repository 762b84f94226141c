// The user manual's example files, read as a reader of the manual reads
// them: every file a chapter shows or links exists and every one in the
// folder is shown or linked; every input file reads without errors from a
// copy of the folder (programs write their files there), and a summary line
// that a chapter quotes is the one tessarin-cli prints.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "cli_runner.h"
#include "support/test_files.h"

namespace tessarin::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kManual = TESSARIN_SOURCE_DIR "/docs/manual";
const fs::path kExamples = kManual / "examples";

std::string Chapters() {
  std::string text;
  for (const auto& entry : fs::directory_iterator(kManual))
    if (entry.path().extension() == ".md") text += ReadWholeFile(entry.path().string()) + "\n";
  return text;
}

std::set<std::string> ShownExamples(const std::string& chapters) {
  static const std::regex link(R"(^\[Example: ([^\]]+)\]\(examples/([^)]+)\)\s*$)");
  std::set<std::string> shown;
  std::istringstream lines(chapters);
  for (std::string line; std::getline(lines, line);) {
    std::smatch match;
    if (!std::regex_match(line, match, link)) continue;
    EXPECT_EQ(match[1], match[2]) << "the link's text names another file: " << line;
    shown.insert(match[2]);
  }
  return shown;
}

std::set<std::string> ExampleFiles() {
  std::set<std::string> files;
  for (const auto& entry : fs::directory_iterator(kExamples)) files.insert(entry.path().filename().string());
  return files;
}

// Files a chapter links to without showing them (a parameter file is too
// long to print).
std::set<std::string> LinkedExamples(const std::string& chapters) {
  static const std::regex link(R"(\]\(examples/([^)]+)\))");
  std::set<std::string> linked;
  for (auto it = std::sregex_iterator(chapters.begin(), chapters.end(), link); it != std::sregex_iterator(); ++it)
    linked.insert((*it)[1]);
  return linked;
}

TEST(ManualExamples, TheChaptersShowExactlyTheFilesOfTheExampleFolder) {
  const std::string chapters = Chapters();
  const std::set<std::string> shown = ShownExamples(chapters);
  const std::set<std::string> linked = LinkedExamples(chapters);
  const std::set<std::string> files = ExampleFiles();
  for (const std::string& name : linked) EXPECT_TRUE(files.count(name)) << "linked but not there: " << name;
  for (const std::string& name : files) EXPECT_TRUE(linked.count(name)) << "there but never shown: " << name;
  EXPECT_GE(shown.size(), 25u);
}

TEST(ManualExamples, EveryInputFileReadsWithoutErrors) {
  TempDir folder;
  fs::copy(kExamples, folder.path(), fs::copy_options::recursive);
  const std::string chapters = Chapters();
  int inputs = 0;
  for (const std::string& name : ExampleFiles()) {
    if (fs::path(name).extension() == ".tesprm") {
      CliRun sets = RunTessarinCli({"sets", name}, folder.path());
      EXPECT_EQ(sets.exitCode, 0) << name << ":\n" << sets.err;
      continue;
    }
    if (fs::path(name).extension() != ".inp") continue;
    ++inputs;
    CliRun run = RunTessarinCli({"check", name}, folder.path());
    EXPECT_EQ(run.exitCode, 0) << name << ":\n" << run.out << run.err;
    EXPECT_EQ(run.err.find("Error"), std::string::npos) << name << ":\n" << run.err;
    const std::string summary = name + ": read without errors: ";
    ASSERT_EQ(run.out.rfind(summary, 0), 0u) << run.out;
    // A summary line quoted in a chapter is this one.
    for (std::size_t at = chapters.find("\n" + summary); at != std::string::npos;
         at = chapters.find("\n" + summary, at + 1))
      EXPECT_EQ(chapters.substr(at + 1, chapters.find('\n', at + 1) - at), run.out);
  }
  EXPECT_GE(inputs, 20);
}

}  // namespace
}  // namespace tessarin::testing
