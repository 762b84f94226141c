// Input files whose user programs generate directives, read with the engine
// plugged into the reader.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "engine/messages.h"
#include "input/engine_user_code.h"
#include "input/input_reader.h"
#include "input/model_dump.h"
#include "launch/run_folders.h"
#include "platform/console.h"
#include "platform/scripted_console.h"
#include "settings/viewparm.h"
#include "support/test_files.h"

namespace tessarin::input::testing {
namespace {

struct Read {
  InputReadStatus status = InputReadStatus::Stopped;
  std::string console;
  std::string dump;
  std::size_t cells = 0;
};

// Reads the input file of `set` from the start-up folder `startup`.
Read ReadSet(const settings::VIEWPARM& set, const std::string& startup, platform::ScriptedConsole& console,
             double timeLimit = 0) {
  GeometryModel model;
  EngineUserCode engine(timeLimit);
  InputReadRequest request{set, {startup, 1}, console, model, engine};
  Read read;
  read.status = ReadInputFile(request).status;
  read.console = console.text;
  std::ostringstream dump;
  DumpGeometryModel(model, dump);
  read.dump = dump.str();
  read.cells = model.cells.size();
  return read;
}

Read ReadFile(const std::string& folder, const std::string& name, platform::ScriptedConsole& console,
              double timeLimit = 0) {
  settings::VIEWPARM set = settings::DefaultParameterSet();
  set.InputFileFolder = folder;
  set.InputFN = name;
  return ReadSet(set, folder, console, timeLimit);
}

// `text` written as an input file of its own and read.
Read ReadText(const std::string& text, platform::ScriptedConsole& console, double timeLimit = 0) {
  tessarin::testing::TempDir dir;
  tessarin::testing::WriteWholeFile(dir.File("in.inp"), text);
  return ReadFile(dir.path(), "in.inp", console, timeLimit);
}

Read ReadText(const std::string& text, double timeLimit = 0) {
  platform::ScriptedConsole console;
  return ReadText(text, console, timeLimit);
}

Read ReadExample(const std::string& name) {
  platform::ScriptedConsole console;
  return ReadFile(TESSARIN_SOURCE_DIR "/examples/", name, console);
}

TEST(EngineUserCode, GeneratedLatticeReadsLikeTheSameLinesWrittenOut) {
  Read generated = ReadExample("program_lattice.inp");
  Read written = ReadExample("program_lattice_written_out.inp");
  ASSERT_EQ(generated.status, InputReadStatus::Loaded) << generated.console;
  ASSERT_EQ(written.status, InputReadStatus::Loaded) << written.console;
  EXPECT_EQ(generated.cells, 11u);
  EXPECT_EQ(generated.dump, written.dump);
  EXPECT_EQ(generated.console, "");
}

TEST(EngineUserCode, ShellsBuiltWithSubroutinesAndGlobalParameters) {
  Read shells = ReadExample("program_shells.inp");
  ASSERT_EQ(shells.status, InputReadStatus::Loaded) << shells.console;
  EXPECT_EQ(shells.console, "");
  EXPECT_EQ(shells.cells, 5u);
  // Radii handed back through a loc parameter, materials from an else-if chain.
  for (const char* radius : {"radius=2.5\n", "radius=3.75\n", "radius=5\n", "radius=6.25\n", "radius=62.5\n"})
    EXPECT_NE(shells.dump.find(radius), std::string::npos) << radius;
  EXPECT_NE(shells.dump.find("C100 material=M3 "), std::string::npos);
  EXPECT_NE(shells.dump.find("C101 material=M2 concentration=-11.3 "), std::string::npos);
  EXPECT_NE(shells.dump.find("C102 material=M1 concentration=-1 "), std::string::npos);
}

const char* const kEndlessProgram =
    "S1 S 0 0 0 10\n"
    "PROGRAM spin\n"
    "  x = 0\n"
    "  while (1) {\n"
    "    x = x + 1\n"
    "  }\n"
    "  Dir(\"C1 0 -1\")\n"
    "END PROGRAM\n";

const std::string kInterrupted =
    "\n******** Execution of the program was interrupted by the user, or an unspecified runtime error occurred. "
    "********\n\n";

TEST(EngineUserCode, EscapeThenQStopsARunawayProgramAndTheRead) {
  platform::ScriptedConsole console;
  console.keys.push_back({platform::kKeyEscape, 3});
  console.keys.push_back({'Q', 6});
  Read read = ReadText(kEndlessProgram, console);
  EXPECT_EQ(read.status, InputReadStatus::Stopped);
  EXPECT_EQ(read.console, std::string(engine::MessageText(engine::Msg::kEscapePressed)) +
                              std::string(engine::MessageText(engine::Msg::kEscapeAndQ)) + kInterrupted);
}

TEST(EngineUserCode, TimeLimitStopsARunawayProgramLikeAnInterruption) {
  // An endless Dir2 once grew one generated line by a gigabyte in three
  // seconds before the limit stopped it.
  for (const char* program : {kEndlessProgram, "S1 S 0 0 0 10\nPROGRAM grow\n  while (1) Dir2(\"C\")\nEND PROGRAM\n"}) {
    Read read = ReadText(program, 0.3);
    EXPECT_EQ(read.status, InputReadStatus::Stopped) << program;
    EXPECT_NE(read.console.find(engine::Format(engine::Msg::kTimeLimitReached, 0.3)), std::string::npos) << program;
    EXPECT_NE(read.console.find(kInterrupted), std::string::npos) << program;
  }
}

TEST(EngineUserCode, StatementsNestedTooDeeplyStopTheReadWithASyntaxError) {
  // 20000 levels overflowed the stack of every build.
  std::string text = "S1 S 0 0 0 10\nPROGRAM deep\n  x = 0\n";
  for (int i = 0; i < 20000; ++i) text += "if (1) {\n";
  text += "x = 1\n";
  for (int i = 0; i < 20000; ++i) text += "}\n";
  text += "END PROGRAM\nC1 0 -1\n";
  Read read = ReadText(text);
  EXPECT_EQ(read.status, InputReadStatus::Stopped);
  EXPECT_EQ(read.console, "\n******** Error: \"if\", \"while\" and \"for\" operators and braces are nested more than 256 "
                          "levels deep. ********\n"
                          "Line No. 259 of user program \"deep\" with the syntax error:\n"
                          "if (1) {\n\n");
}

TEST(EngineUserCode, HugeNumberFormatIsRefusedAndTheReadGoesOn) {
  // "%.999999999f" took 4.9 GB to print 1e308.
  Read read = ReadText("PROGRAM fmt\n  SetNumberFormat(\"%.999999999f\")\n  Print(1e308)\n"
                       "  Dir(\"S1 S 0 0 0 \", 10)\n  Dir(\"C1 0 -1\")\nEND PROGRAM\n");
  EXPECT_EQ(read.status, InputReadStatus::Loaded) << read.console;
  EXPECT_EQ(read.console, "1e+308\n");
}

TEST(EngineUserCode, SyntaxErrorInAProgramStopsTheReadWithItsDiagnostic) {
  Read read = ReadText("S1 S 0 0 0 10\nPROGRAM gen\n  r = 5\n  Dir(\"S2 S 0 0 0 \", r +)\nEND PROGRAM\nC1 0 -1\n");
  EXPECT_EQ(read.status, InputReadStatus::Stopped);
  EXPECT_EQ(read.console,
            "\n******** Error: an illegal sequence of two binary operators, or an operator and a separator, or two "
            "separators found. ********\n"
            "Line No. 3 of user program \"gen\" with the syntax error:\n"
            "  Dir(\"S2 S 0 0 0 \", r +)\n\n");
}

TEST(EngineUserCode, GlobalParametersReachLaterPrograms) {
  Read read = ReadText("PARAMETERS\n  radius = 4\nEND PARAMETERS\n"
                       "PROGRAM world\n  Dir(\"S1 S 0 0 0 \", radius * 2)\n  Dir(\"C1 0 -1\")\nEND PROGRAM\n"
                       "C2 0 1\n");
  EXPECT_EQ(read.status, InputReadStatus::Loaded) << read.console;
  EXPECT_NE(read.dump.find("radius=8"), std::string::npos) << read.dump;
}

}  // namespace
}  // namespace tessarin::input::testing

namespace tessarin::input::testing {
namespace {

TEST(EngineUserCode, ArraysBlockDefinesArraysForTheProgramsAfterIt) {
  tessarin::testing::TempDir dir;
  tessarin::testing::WriteWholeFile(dir.File("arrays.inp"),
                                    "ARRAYS\n  INDEX_BASE 0\n  double R[2] = {2, 5}\nEND ARRAYS\n"
                                    "PROGRAM gen\n  Dir(\"S1 S 0 0 0 \", R[1])\nEND PROGRAM\nC1 0 -1\n");
  platform::ScriptedConsole console;
  Read read = ReadFile(dir.path(), "arrays.inp", console);
  EXPECT_EQ(read.status, InputReadStatus::Loaded) << read.console;
  EXPECT_NE(read.dump.find("S1 kind=sphere useCount=0 point=0,0,0 radius=5\n"), std::string::npos)
      << read.dump;
}

TEST(EngineUserCode, AnErrorInTheArraysBlockStopsTheRead) {
  tessarin::testing::TempDir dir;
  tessarin::testing::WriteWholeFile(dir.File("arrays.inp"),
                                    "ARRAYS\n  double R [2]\nEND ARRAYS\nS1 S 0 0 0 1\nC1 0 -1\n");
  platform::ScriptedConsole console;
  Read read = ReadFile(dir.path(), "arrays.inp", console);
  EXPECT_EQ(read.status, InputReadStatus::Stopped);
  EXPECT_EQ(read.console,
            "\n******** Incorrect format of the definition of an array. ********\n  at arrays.inp:1: ARRAYS\n");
}

TEST(EngineUserCode, RelativePathsStartWhereTheSimulatorRunsAndMustLandInTheInputFolder) {
  // start/ is the start-up folder, start/in/ the input file's folder and
  // start/in/run/ the set's own console folder.
  tessarin::testing::TempDir root;
  const std::string startup = root.File("start/");
  std::filesystem::create_directories(startup + "in/run");
  tessarin::testing::WriteWholeFile(startup + "in/in.inp",
                                    "PROGRAM p\n  FopenW(\"../out.txt\")\n  Write(\"x\")\n  FcloseW()\nEND PROGRAM\n"
                                    "S1 S 0 0 0 5\nC1 0 -1\n");
  struct Case {
    launch::ConsoleFolderOption option;
    std::string lands;  // where ../out.txt is when the simulator runs there
  };
  const std::vector<Case> cases = {
      {launch::ConsoleFolderOption::StartupDirectory, root.File("out.txt")},
      {launch::ConsoleFolderOption::InputFileFolder, startup + "out.txt"},
      {launch::ConsoleFolderOption::CustomFolder, startup + "in/out.txt"},
  };
  for (const Case& c : cases) {
    settings::VIEWPARM set = settings::DefaultParameterSet();
    set.InputFileFolder = "in/";
    set.InputFN = "in.inp";
    set.cmdFolder = "in/run/";
    set.cmdFolderOption = static_cast<int>(c.option);
    platform::ScriptedConsole console;
    Read read = ReadSet(set, startup, console);
    const bool inFolder = c.lands == startup + "in/out.txt";
    EXPECT_EQ(read.status, inFolder ? InputReadStatus::Loaded : InputReadStatus::Stopped) << read.console;
    EXPECT_EQ(std::filesystem::exists(c.lands), inFolder) << c.lands;
    if (!inFolder) {
      EXPECT_NE(read.console.find("(the file \"" + c.lands + "\" was not opened"), std::string::npos) << read.console;
    }
  }
}

}  // namespace
}  // namespace tessarin::input::testing
