#pragma once
// The PROGRAM, SUBROUTINE, PARAMETERS and ARRAYS blocks of an input file.
// In the pre-scan each block is collected and given to the engine, and the
// directives a program generates are captured while it runs; in the main
// pass the outcome is replayed at the same place: the captured directives
// are read in place of the block, and what went wrong is reported there.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "input/directive_context.h"
#include "input/input_file.h"
#include "input/user_code.h"

namespace tessarin::input {

class UserCodeBlocks {
 public:
  // `session` may be null (no engine); `unavailableMessage` says why.
  UserCodeBlocks(InputFile& file, UserCodeSession* session, std::string unavailableMessage,
                 GeneratedLineLimit limit = {});
  ~UserCodeBlocks();
  UserCodeBlocks(const UserCodeBlocks&) = delete;
  UserCodeBlocks& operator=(const UserCodeBlocks&) = delete;

  void BeginPass(int pass);

  // Handles the block whose keyword token was just read. In the pre-scan a
  // false result ends the pre-scan; in the main pass it stops the read
  // (after the message, if the block has one to give).
  [[nodiscard]] bool Handle(DirectiveContext& context, UserBlockKind kind, std::string_view keyword);

  // PROGRAM and SUBROUTINE blocks found in the pre-scan.
  int ProgramCount() const;

  // The record of one block as the pre-scan left it.
  struct Record;

 private:
  [[nodiscard]] bool PreScan(DirectiveContext& context, Record& record, std::string_view keyword);
  [[nodiscard]] bool MainPass(DirectiveContext& context, Record* record);
  [[nodiscard]] bool Collect(Record& record, std::string_view keyword, UserCodeBlock& block);
  void ResumeAfter(const Record& record);
  // Counts a generated line against the reading's limit; false, with the
  // record set to stop the reading, once it is passed.
  [[nodiscard]] bool KeepGenerated(Record& record, const std::string& line);

  class BlockOutput;
  class LiveOutput;
  class ReplayedOutput;

  InputFile& file_;
  UserCodeSession* session_;
  std::string unavailableMessage_;
  std::deque<Record> records_;
  std::unique_ptr<LiveOutput> live_;
  std::unique_ptr<ReplayedOutput> replayed_;
  GeneratedLineLimit limit_;
  std::uint64_t generatedBytes_ = 0;
  std::int64_t generatedLines_ = 0;
  int pass_ = 0;
  bool arraysSeen_ = false;
  bool programBlockSeen_ = false;  // PROGRAM, SUBROUTINE or PARAMETERS
  UserBlockKind lastProgramKind_ = UserBlockKind::Program;
};

}  // namespace tessarin::input
