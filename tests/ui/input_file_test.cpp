#include <gtest/gtest.h>

#include <filesystem>

#include "engine/messages.h"
#include "ui/controller_fixture.h"

namespace tessarin::ui {
namespace {

using platform::MessageIcon;
using testing::ControllerFixture;
using testing::StartWith;

std::string Example(const char* name) { return std::string(TESSARIN_SOURCE_DIR) + "/examples/" + name; }

// The file chooser answers with `path`.
void ChooseFile(ControllerFixture& fixture, std::string path) {
  fixture.host.chosenFiles.push_back(std::move(path));
}

TEST(InputFile, LoadSplitsTheChosenPathReadsTheFileAndRederivesTheNames) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  controller.EditWorkingCopy().checkSyntax_Tessarin = 1;
  ChooseFile(fixture, Example("program_lattice.inp"));
  controller.LoadInputFile();

  ASSERT_EQ(fixture.host.fileRequests.size(), 1u);
  EXPECT_EQ(fixture.host.fileRequests[0].title, "Select the Varnholt input file");
  EXPECT_EQ(fixture.host.fileRequests[0].filter,
            "Varnholt input files (*.inp;*.txt)|*.inp;*.txt|Input files (*.inp)|*.inp|Text files (*.txt)|*.txt|"
            "All files (*.*)|*.*||");
  EXPECT_EQ(controller.WorkingCopy().InputFileFolder, std::string(TESSARIN_SOURCE_DIR) + "/examples/");
  EXPECT_EQ(controller.WorkingCopy().InputFN, "program_lattice.inp");
  EXPECT_EQ(controller.InputBaseName(), "program_lattice");
  EXPECT_NE(controller.CommandLine().find("program_lattice"), std::string::npos);
  EXPECT_NE(controller.RtScriptPath().find("program_lattice"), std::string::npos);
  EXPECT_TRUE(controller.IsModified());
  EXPECT_TRUE(controller.Model().loaded);
  EXPECT_EQ(controller.Model().cells.size(), 11u);
  EXPECT_EQ(controller.InputReadSummary(),
            "program_lattice.inp: read without errors: 11 cells in 2 materials, 1 surface, 10 macrobodies, "
            "0 unions, 1 user program");
  // A read with nothing to say leaves no console behind.
  EXPECT_FALSE(controller.IsConsoleMenuEnabled());
  EXPECT_TRUE(fixture.host.messages.empty());
}

TEST(InputFile, LoadingTheSameFileAgainKeepsTheSetUnmodified) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  std::string demoInput = fixture.folder.File("demo_lattice.inp");
  tessarin::testing::WriteWholeFile(demoInput, tessarin::testing::ReadWholeFile(Example("demo_lattice.inp")));
  ASSERT_FALSE(controller.IsModified());
  ChooseFile(fixture, demoInput);  // the demo names it relative to the start-up folder
  controller.LoadInputFile();
  // The first read names the demo's material rows; saved, they stay.
  EXPECT_TRUE(controller.IsModified());
  ASSERT_TRUE(controller.Save());
  ChooseFile(fixture, demoInput);
  controller.LoadInputFile();
  EXPECT_FALSE(controller.IsModified());
  EXPECT_EQ(controller.WorkingCopy().InputFileFolder, fixture.folder.path());

  controller.LoadInputFile();  // cancelled: nothing happens
  EXPECT_EQ(controller.WorkingCopy().InputFN, "demo_lattice.inp");
}

TEST(InputFile, MessagesOfTheReadReachTheConsoleInOrderAndTheConsoleStaysOpen) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  controller.EditWorkingCopy().checkSyntax_Tessarin = 1;
  std::string path = fixture.folder.File("layer.inp");
  tessarin::testing::WriteWholeFile(path, "COMPLEX_GEOMETRY 1\nS1 S 0 0 & 5\n0 10\nC1 0 -1\nCOMPLEX_GEOMETRY 1\n");
  ChooseFile(fixture, path);
  controller.LoadInputFile();
  EXPECT_EQ(fixture.console.text,
            "Warning: The line-continuation character '&' in line No. 2 is not the last character of the "
            "line. The remainder of the line will be ignored.\n"
            "  at layer.inp:2: S1 S 0 0\n"
            "Error: Keyword \"COMPLEX_GEOMETRY\" is used more than once in the input file.\n"
            "  at layer.inp:5: COMPLEX_GEOMETRY 1\n");
  EXPECT_TRUE(controller.IsConsoleMenuEnabled());
  EXPECT_FALSE(controller.Model().loaded);
  EXPECT_EQ(controller.InputReadSummary(), "");

  controller.CloseConsoleWindow();
  EXPECT_FALSE(controller.IsConsoleMenuEnabled());
  EXPECT_TRUE(fixture.console.hidden);
}

TEST(InputFile, AFileThatCannotBeOpenedIsReportedWithoutAConsole) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  controller.EditWorkingCopy().checkSyntax_Tessarin = 1;
  std::string path = fixture.folder.File("missing.inp");
  ChooseFile(fixture, path);
  controller.LoadInputFile();
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].text, "File \"" + path + "\" could not be opened for reading.");
  EXPECT_EQ(fixture.host.messages[0].icon, MessageIcon::Error);
  EXPECT_FALSE(controller.IsConsoleMenuEnabled());
}

TEST(InputFile, ReloadWithoutANameActsAsLoad) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  controller.EditWorkingCopy().checkSyntax_Tessarin = 1;
  controller.EditWorkingCopy().InputFN.clear();
  ChooseFile(fixture, Example("cells_layer.inp"));
  controller.ReloadInputFile();
  EXPECT_EQ(fixture.host.fileRequests.size(), 1u);
  EXPECT_EQ(controller.WorkingCopy().InputFN, "cells_layer.inp");
  EXPECT_TRUE(controller.Model().loaded);

  controller.ReloadInputFile();  // now it only reads again
  EXPECT_EQ(fixture.host.fileRequests.size(), 1u);
  EXPECT_TRUE(controller.Model().loaded);
  EXPECT_TRUE(fixture.host.messages.empty());
}

TEST(InputFile, ReloadWithTheSyntaxCheckOffSaysWhichCheckboxIsNeeded) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  controller.EditWorkingCopy().checkSyntax_Tessarin = 0;
  controller.EditWorkingCopy().InputFileFolder = std::string(TESSARIN_SOURCE_DIR) + "/examples/";
  controller.EditWorkingCopy().InputFN = "cells_layer.inp";
  controller.ReloadInputFile();
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].text,
            "In order to read the geometry information contained in the Varnholt input file, check the checkbox "
            "\"Check syntax\".");
  EXPECT_EQ(fixture.host.messages[0].icon, MessageIcon::Information);
  EXPECT_FALSE(controller.Model().loaded);
  EXPECT_FALSE(fixture.console.open);
}

// An input file whose program runs two commands of the system shell, each
// leaving a file behind in `folder`.
std::string WriteCommandProgram(ControllerFixture& fixture) {
  std::string path = fixture.folder.File("commands.inp");
  tessarin::testing::WriteWholeFile(
      path, "COMPLEX_GEOMETRY 1\nPROGRAM run\n  System(\"touch '" + fixture.folder.File("first") +
                "'\")\n  System(\"touch '" + fixture.folder.File("second") +
                "'\")\nEND PROGRAM\nS1 S 0 0 0 5\nC1 0 -1\n");
  Controller& controller = *fixture.controller;
  controller.EditWorkingCopy().checkSyntax_Tessarin = 1;
  controller.EditWorkingCopy().InputFileFolder = fixture.folder.path();
  controller.EditWorkingCopy().InputFN = "commands.inp";
  return path;
}

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

TEST(InputFile, CommandsOfTheSystemShellRunOnlyAfterOneYes) {
  ControllerFixture fixture;
  WriteCommandProgram(fixture);
  fixture.host.answers.push_back(platform::MessageAnswer::Yes);
  fixture.controller->ReloadInputFile();
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].icon, MessageIcon::Question);
  EXPECT_NE(fixture.host.messages[0].text.find("touch '" + fixture.folder.File("first") + "'"), std::string::npos);
  EXPECT_TRUE(Exists(fixture.folder.File("first")));
  EXPECT_TRUE(Exists(fixture.folder.File("second")));
  EXPECT_TRUE(fixture.controller->Model().loaded);
}

TEST(InputFile, CommandsOfTheSystemShellFailWhenTheAnswerIsNo) {
  ControllerFixture fixture;
  WriteCommandProgram(fixture);
  fixture.host.answers.push_back(platform::MessageAnswer::No);
  fixture.controller->ReloadInputFile();
  EXPECT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_FALSE(Exists(fixture.folder.File("first")));
  EXPECT_FALSE(fixture.controller->Model().loaded);
  EXPECT_NE(fixture.console.text.find("(the command was not run: commands of the system shell are not allowed"),
            std::string::npos);
}

TEST(InputFile, FilesOutsideTheInputFoldersAreOpenedOnlyAfterOneYes) {
  // The input file lies in in/; its program writes two files in the
  // start-up folder, where the simulator runs.
  for (platform::MessageAnswer answer : {platform::MessageAnswer::Yes, platform::MessageAnswer::No}) {
    ControllerFixture fixture;
    std::filesystem::create_directories(fixture.folder.File("in"));
    tessarin::testing::WriteWholeFile(
        fixture.folder.File("in/files.inp"),
        "PROGRAM p\n  FopenW(\"first.txt\")\n  FopenW(\"second.txt\")\n  FcloseW()\nEND PROGRAM\n"
        "S1 S 0 0 0 5\nC1 0 -1\n");
    Controller& controller = *fixture.controller;
    controller.EditWorkingCopy().checkSyntax_Tessarin = 1;
    controller.EditWorkingCopy().InputFileFolder = fixture.folder.File("in/");
    controller.EditWorkingCopy().InputFN = "files.inp";
    fixture.host.answers.push_back(answer);
    controller.ReloadInputFile();
    ASSERT_EQ(fixture.host.messages.size(), 1u);
    EXPECT_EQ(fixture.host.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(fixture.host.messages[0].text,
              "A user program of the input file wants to open this file:\n\n" + fixture.folder.File("first.txt") +
                  "\n\nIt needs your permission: it lies outside the input file's folder.\n\nDo you allow the user "
                  "programs to read and write any file while this input file is read?");
    const bool yes = answer == platform::MessageAnswer::Yes;
    EXPECT_EQ(Exists(fixture.folder.File("first.txt")), yes);
    EXPECT_EQ(Exists(fixture.folder.File("second.txt")), yes);
    EXPECT_EQ(controller.Model().loaded, yes);
    EXPECT_EQ(fixture.console.text.find("(the file \"" + fixture.folder.File("first.txt") + "\" was not opened") !=
                  std::string::npos,
              !yes)
        << fixture.console.text;
  }
}

// A console whose user tries to close it while a user program runs, then
// stops the program with Esc and Q.
class ImpatientConsole final : public platform::Console {
 public:
  void Open() override { inner.Open(); }
  void Write(std::string_view text) override { inner.Write(text); }
  std::optional<int> PollKey() override {
    if (++polls == 5 && controller) {
      menuEnabledWhileReading = controller->IsConsoleMenuEnabled();
      controller->CloseConsoleWindow();
    }
    if (polls == 10) return platform::kKeyEscape;
    if (polls == 20) return 'Q';
    return std::nullopt;
  }
  bool HasText() const override { return inner.HasText(); }
  void SetCloseEnabled(bool enabled) override { inner.SetCloseEnabled(enabled); }
  bool IsOpen() const override { return inner.IsOpen(); }
  void Hide() override { inner.Hide(); }
  void Close() override { inner.Close(); }

  platform::ScriptedConsole inner;
  Controller* controller = nullptr;
  int polls = 0;
  bool menuEnabledWhileReading = false;
};

TEST(InputFile, TheConsoleCannotBeClosedWhileARunawayProgramIsStoppedWithEscAndQ) {
  ImpatientConsole console;
  ControllerFixture fixture(StartWith::DefaultFile, &console);
  Controller& controller = *fixture.controller;
  console.controller = &controller;
  controller.EditWorkingCopy().checkSyntax_Tessarin = 1;
  std::string path = fixture.folder.File("spin.inp");
  tessarin::testing::WriteWholeFile(path, "S1 S 0 0 0 10\nPROGRAM spin\n  x = 0\n  while (1) {\n    x = x + 1\n  }\n"
                                          "END PROGRAM\nC1 0 -1\n");
  ChooseFile(fixture, path);
  controller.LoadInputFile();

  EXPECT_TRUE(console.menuEnabledWhileReading);
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].text,
            "The console window cannot be closed while the input file is being processed.");
  EXPECT_EQ(fixture.host.messages[0].icon, MessageIcon::Information);
  std::string text = console.inner.text;
  std::size_t escape = text.find(engine::MessageText(engine::Msg::kEscapePressed));
  std::size_t quit = text.find(engine::MessageText(engine::Msg::kEscapeAndQ));
  ASSERT_NE(escape, std::string::npos);
  ASSERT_NE(quit, std::string::npos);
  EXPECT_LT(escape, quit);
  EXPECT_FALSE(controller.Model().loaded);

  // Once the read has stopped the console may be closed.
  EXPECT_FALSE(controller.IsReadingInputFile());
  controller.CloseConsoleWindow();
  EXPECT_FALSE(controller.IsConsoleMenuEnabled());
}

TEST(ConsoleMenu, IsEnabledExactlyWhileTheConsoleExistsAndClosesAtExit) {
  ControllerFixture fixture;
  Controller& controller = *fixture.controller;
  EXPECT_FALSE(controller.IsConsoleMenuEnabled());
  controller.CloseConsoleWindow();
  controller.ActivateConsoleWindow();  // neither opens a console
  EXPECT_FALSE(controller.IsConsoleMenuEnabled());
  EXPECT_EQ(fixture.console.openCount, 0);

  fixture.console.Open();
  fixture.console.Write("text");
  EXPECT_TRUE(controller.IsConsoleMenuEnabled());
  controller.ActivateConsoleWindow();
  EXPECT_EQ(fixture.console.openCount, 2);
  controller.CloseConsoleAtExit();
  EXPECT_FALSE(controller.IsConsoleMenuEnabled());
}

}  // namespace
}  // namespace tessarin::ui
