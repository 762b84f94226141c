#include "engine/program_runner.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <utility>

#include "engine/messages.h"
#include "platform/clock.h"
#include "platform/console.h"

namespace tessarin::engine {

ProgramRunner::ProgramRunner(Machine& machine, std::atomic<bool>& interrupt, platform::Console* console,
                             platform::Clock& clock)
    : machine_(machine), interrupt_(interrupt), console_(console), clock_(clock) {}

ProgramRunner::~ProgramRunner() {
  if (worker_.joinable()) {
    interrupt_.store(true, std::memory_order_release);
    worker_.join();
  }
}

void ProgramRunner::Start(int programSlot, std::vector<std::string>& outputLines, double noticeSeconds,
                          double hardLimitSeconds) {
  Join();
  lines_ = &outputLines;
  lastFinished_ = true;
  posted_.store(0, std::memory_order_relaxed);
  taken_.store(0, std::memory_order_relaxed);
  interrupt_.store(false, std::memory_order_relaxed);
  pollKeys_.store(true, std::memory_order_relaxed);
  run_ = RunState{};
  run_.noticeSeconds = noticeSeconds;
  run_.hardLimitSeconds = hardLimitSeconds;
  run_.startProcessor = clock_.ProcessorSeconds();
  run_.startWall = clock_.WallSeconds();
  active_ = true;
  running_.store(true, std::memory_order_release);
  failure_ = nullptr;
  worker_ = std::thread([this, programSlot] {
    // An exception may not leave the thread; the reader rethrows it.
    try {
      machine_.Run(programSlot, *this);
    } catch (...) {
      failure_ = std::current_exception();
    }
    running_.store(false, std::memory_order_release);
  });
}

void ProgramRunner::Stop() {
  if (worker_.joinable()) interrupt_.store(true, std::memory_order_release);
  Join();
  active_ = false;
}

void ProgramRunner::Join() {
  if (worker_.joinable()) worker_.join();
}

void ProgramRunner::Post(Posted kind) {
  postedKind_ = kind;
  long posted = posted_.load(std::memory_order_relaxed) + 1;
  posted_.store(posted, std::memory_order_release);
  while (taken_.load(std::memory_order_acquire) != posted && !interrupt_.load(std::memory_order_acquire))
    std::this_thread::yield();
}

void ProgramRunner::EmitLine(std::string_view text, bool finished) {
  // Only the line being made is kept: the reader keeps what it took for its
  // main pass, and a second copy of every line would double what a program
  // emitting lines without end costs. A finished line has been taken once
  // Post returned, so it may go.
  if (lastFinished_) {
    if (lines_->empty()) lines_->emplace_back();
    else lines_->back().clear();
  }
  // The reader takes no more of a line than its limit, so a line that Dir2
  // keeps growing is cut here rather than held in full.
  std::string& line = lines_->back();
  line.append(text.substr(0, kMaxTextLength - std::min(line.size(), kMaxTextLength)));
  lastFinished_ = finished;
  if (!finished) return;
  lines_->back() += '\n';
  Post(Posted::kLine);
}

void ProgramRunner::Print(std::string_view text) {
  printText_ = std::string(text);
  Post(Posted::kPrint);
}

bool ProgramRunner::Ask(Posted question, std::string_view text) {
  // The question goes to the reader's thread like a line; the answer is
  // there once the post has been taken.
  printText_ = std::string(text);
  answer_ = false;
  Post(question);
  return answer_ && !interrupt_.load(std::memory_order_acquire);
}

bool ProgramRunner::AllowCommands(std::string_view firstCommand) { return Ask(Posted::kCommandQuestion, firstCommand); }

bool ProgramRunner::AllowFiles(std::string_view firstPath, std::string_view reason) {
  questionReason_ = std::string(reason);
  return Ask(Posted::kFileQuestion, firstPath);
}

void ProgramRunner::WriteConsole(std::string_view text) {
  if (console_) {
    console_->Write(text);
  } else {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
  }
}

LineRequest ProgramRunner::NextLine(std::string& line) {
  constexpr int kBusyPolls = 2000;
  int idlePolls = 0;
  long taken = taken_.load(std::memory_order_relaxed);
  while (true) {
    long posted = posted_.load(std::memory_order_acquire);
    if (posted != taken) {
      taken = posted;
      if (postedKind_ == Posted::kPrint) {
        WriteConsole(printText_);
        taken_.store(taken, std::memory_order_release);
        continue;
      }
      if (postedKind_ == Posted::kCommandQuestion || postedKind_ == Posted::kFileQuestion) {
        answer_ = postedKind_ == Posted::kCommandQuestion
                      ? permission_ != nullptr && permission_->AllowCommands(printText_)
                      : filePermission_ != nullptr && filePermission_->AllowFiles(printText_, questionReason_);
        taken_.store(taken, std::memory_order_release);
        continue;
      }
      line = lines_->back().substr(0, kMaxTextLength + 1);
      taken_.store(taken, std::memory_order_release);
      return LineRequest::kLine;
    }
    if (!running_.load(std::memory_order_acquire)) break;
    Watch();
    // A program that computes for long without output should not have to
    // share its processor with this loop: after a while of nothing, wait a
    // little longer between polls.
    if (++idlePolls < kBusyPolls) {
      clock_.YieldProcessor();
    } else {
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
  }
  Join();
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
  if (!lastFinished_) {
    lines_->back() += '\n';
    lastFinished_ = true;
    line = lines_->back().substr(0, kMaxTextLength + 1);
    return LineRequest::kLine;
  }
  active_ = false;
  return LineRequest::kFinished;
}

void ProgramRunner::Watch() {
  if (console_ && pollKeys_.load(std::memory_order_acquire)) {
    while (std::optional<int> key = console_->PollKey()) {
      if (!run_.escapeArmed) {
        if (*key == platform::kKeyEscape) {
          WriteConsole(MessageText(Msg::kEscapePressed));
          run_.escapeArmed = true;
          run_.noticeShown = true;
        }
      } else if (*key == 'Q' || *key == 'q') {
        WriteConsole(MessageText(Msg::kEscapeAndQ));
        interrupt_.store(true, std::memory_order_release);
        run_.stoppedByKeys = true;
        run_.escapeArmed = false;
      } else if (*key != platform::kKeyEscape) {
        WriteConsole(MessageText(Msg::kEscapeCancelled));
        run_.escapeArmed = false;
      }
    }
  }
  if (!run_.noticeShown && clock_.ProcessorSeconds() - run_.startProcessor > run_.noticeSeconds) {
    WriteConsole(Format(Msg::kTimeNotice, run_.noticeSeconds));
    run_.noticeShown = true;
  }
  if (run_.hardLimitSeconds > 0 && !run_.stoppedByTimeLimit && clock_.WallSeconds() - run_.startWall > run_.hardLimitSeconds) {
    WriteConsole(Format(Msg::kTimeLimitReached, run_.hardLimitSeconds));
    run_.stoppedByTimeLimit = true;
    interrupt_.store(true, std::memory_order_release);
  }
}

}  // namespace tessarin::engine
