#pragma once
// The user-code engine: one Compiler lives for one reading of an input file.
// The reader adds a program slot per PROGRAM, SUBROUTINE or PARAMETERS
// block, compiles it, starts PROGRAM and PARAMETERS blocks on the worker
// thread and takes the directive lines they generate.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_tables.h"
#include "engine/program.h"

namespace tessarin::platform {
class Clock;
class Console;
}  // namespace tessarin::platform

namespace tessarin::engine {

class CommandPermission;
class FilePermission;
class Machine;
class ProgramRunner;

enum class IdentifierCheckKind { kProgramName, kArrayName, kParameterName };

struct IdentifierCheck {
  bool accepted = true;
  std::string message;
  // The name spaces where the name already exists.
  bool isBuiltin = false;
  bool isSystemVariable = false;
  bool isProgram = false;
  bool isSubroutine = false;
  bool isGlobalParameter = false;
  bool isArray = false;
};

enum class GeneratedLine { kLine, kFinished, kFatal };

// The lines of a block's text (without their line ends), as AddProgramSlot
// keeps them for the diagnostics.
std::vector<std::string> BlockLines(std::string_view text);

class Compiler {
 public:
  // Without a console the engine prints to the standard output and reads no
  // keys; without a clock it uses the machine's.
  explicit Compiler(platform::Console* console = nullptr, platform::Clock* clock = nullptr);
  ~Compiler();
  Compiler(const Compiler&) = delete;
  Compiler& operator=(const Compiler&) = delete;

  void SetSystemVariable(int index, double value);
  double SystemVariable(int index) const;

  IdentifierCheck CheckIdentifier(std::string_view name, IdentifierCheckKind kind, std::string_view label) const;

  // The block's lines (as in the input file) are kept for the diagnostics.
  int AddProgramSlot(BlockKind kind, std::string_view name, std::vector<std::string> sourceLines = {});
  // A subroutine's list at the start of `blockText`: the number of lines it
  // takes, or -1 with status 2 and the message in the record.
  int CompileFormalParameters(int slot, std::string_view blockText);
  // Compiles lines firstLine.. of the block; a PARAMETERS block is compiled
  // twice, registering its variables as global parameters in between.
  void CompileProgram(int slot, std::string_view blockText, int firstLine);

  // The ARRAYS block: -1 when every array was defined, else the 0-based
  // line of the block with the error and its text (framed) in `message`.
  int DefineArrays(std::string_view blockText, std::string& message);

  const ProgramRecord& Record(int slot) const;
  int SlotCount() const;
  const GlobalTable& Globals() const { return tables_.globals; }

  // Running: start the block on the worker thread, then take its lines
  // until kFinished (normal end; diagnostics printed) or kFatal.
  void Start(int slot);
  GeneratedLine NextGeneratedLine(std::string& line);
  [[nodiscard]] bool ProgramRunning() const;
  // The line the slot's program is making or made last (at most one).
  const std::vector<std::string>& OutputLines(int slot) const;
  // A program that runs longer than this (wall-clock seconds, 0 = no
  // limit) is interrupted as if Esc and Q had been pressed.
  void SetHardTimeLimit(double seconds) { hardTimeLimit_ = seconds; }
  // Who decides whether System may run commands; without one it may not.
  void SetCommandPermission(CommandPermission* permission);
  // The user programs write in the input file's folder and read in its
  // tree; relative paths start in `workingFolder` (the input file's folder
  // when empty). Without a folder every file is outside.
  void SetFileFolders(std::string_view inputFolder, std::string_view workingFolder);
  // Who decides whether files outside the folder may be opened; without one
  // they may not.
  void SetFilePermission(FilePermission* permission);
  // The most the user programs of this reading may write to files, the most
  // files they may create, and the most memory all its arrays may take
  // together.
  void SetWriteLimit(std::uint64_t bytes);
  void SetCreatedFileLimit(int files);
  void SetArrayMemoryLimit(std::uint64_t bytes);
  // Stops consuming the running program's output (start of a pass) and
  // flushes the user programs' output file.
  void ForgetRunningProgram();

  // Prints the diagnostic of a slot (-1: the program that ran last) and
  // answers whether the read must stop.
  bool ReportDiagnostics(int slot);
  [[nodiscard]] bool Fatal() const { return fatal_; }

 private:
  void Write(std::string_view text);

  EngineTables tables_;
  std::vector<std::vector<std::string>> outputLines_;
  std::atomic<bool> interrupt_{false};
  platform::Console* console_;
  platform::Clock* clock_;
  std::unique_ptr<Machine> machine_;
  std::unique_ptr<ProgramRunner> runner_;
  int runningSlot_ = -1;
  int lastRunSlot_ = -1;
  double hardTimeLimit_ = 0;
  bool fatal_ = false;
};

}  // namespace tessarin::engine
