#pragma once
// Runs one program on a worker thread and hands its generated lines to the
// reader's thread, one at a time and strictly alternating. Each counter and
// flag has a single writer: the worker posts and clears `running`, the
// reader takes and sets `interrupt`. While waiting for a line the reader
// watches the console keys and the clock.

#include <atomic>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "engine/command_permission.h"
#include "engine/file_permission.h"
#include "engine/machine.h"
#include "platform/clock.h"
#include "platform/console.h"

namespace tessarin::engine {

enum class LineRequest { kLine, kFinished };

class ProgramRunner final : public ProgramOutput {
 public:
  ProgramRunner(Machine& machine, std::atomic<bool>& interrupt, platform::Console* console, platform::Clock& clock);
  ~ProgramRunner() override;

  void Start(int programSlot, std::vector<std::string>& outputLines, double noticeSeconds, double hardLimitSeconds);
  // Reader side: the next generated line (with its "\n"), or kFinished once
  // the program has ended and its last unfinished line was handed over.
  // What the program's thread threw is thrown here once it has ended.
  LineRequest NextLine(std::string& line);
  [[nodiscard]] bool Active() const { return active_; }
  // Interrupts the program, if it still runs, and waits for its thread.
  void Stop();
  [[nodiscard]] bool StoppedByTimeLimit() const { return run_.stoppedByTimeLimit; }
  // Esc and Q or the time limit asked the program to stop. The run counts as
  // interrupted even when the program ended before it looked at the request
  // (inside one long built-in call, say): its output is incomplete.
  [[nodiscard]] bool InterruptRequested() const { return run_.stoppedByTimeLimit || run_.stoppedByKeys; }

  // Worker side (ProgramOutput).
  void EmitLine(std::string_view text, bool finished) override;
  void Print(std::string_view text) override;
  [[nodiscard]] bool AllowCommands(std::string_view firstCommand) override;
  [[nodiscard]] bool AllowFiles(std::string_view firstPath, std::string_view reason) override;
  void SetKeyPolling(bool on) override { pollKeys_.store(on, std::memory_order_release); }
  // Who answers AllowCommands on the reader's thread; none refuses.
  void SetCommandPermission(CommandPermission* permission) { permission_ = permission; }
  // Who answers AllowFiles on the reader's thread; none refuses.
  void SetFilePermission(FilePermission* permission) { filePermission_ = permission; }

  // Writes console text on the reader's thread (or directly when no
  // program runs).
  void WriteConsole(std::string_view text);

 private:
  enum class Posted { kLine, kPrint, kCommandQuestion, kFileQuestion };
  void Post(Posted kind);
  // Asks a question on the reader's thread and waits for its answer.
  [[nodiscard]] bool Ask(Posted question, std::string_view text);
  void Watch();
  void Join();

  Machine& machine_;
  std::atomic<bool>& interrupt_;
  platform::Console* console_;
  platform::Clock& clock_;
  std::thread worker_;

  std::atomic<bool> running_{false};
  std::exception_ptr failure_;  // written by the worker before it clears `running_`
  std::atomic<long> posted_{0};
  std::atomic<long> taken_{0};
  Posted postedKind_ = Posted::kLine;
  std::string printText_;
  std::string questionReason_;
  CommandPermission* permission_ = nullptr;
  FilePermission* filePermission_ = nullptr;
  std::atomic<bool> pollKeys_{true};  // written by the worker, read by the reader
  bool answer_ = false;  // written by the reader before it takes the post
  std::vector<std::string>* lines_ = nullptr;
  bool lastFinished_ = true;

  // What the reader's side keeps about the run.
  struct RunState {
    bool escapeArmed = false;
    bool noticeShown = false;
    bool stoppedByTimeLimit = false;
    bool stoppedByKeys = false;
    double startProcessor = 0;  // processor seconds at the start
    double startWall = 0;
    double noticeSeconds = 2.0;
    double hardLimitSeconds = 0;
  };
  bool active_ = false;
  RunState run_;
};

}  // namespace tessarin::engine
