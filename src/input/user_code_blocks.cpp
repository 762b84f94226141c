#include "input/user_code_blocks.h"

#include "input/messages.h"
#include "input/token_reader.h"
#include "platform/console.h"
#include "platform/format_text.h"
#include "platform/text_case.h"

namespace tessarin::input {

struct UserCodeBlocks::Record {
  std::int64_t lineStart = 0;  // where the block's directive line begins
  int linesBefore = 0;         // lines of the file before it
  UserBlockKind kind = UserBlockKind::Program;
  std::string name;  // PROGRAM and SUBROUTINE
  // What stops the read at this block in the main pass; empty when nothing
  // does, or when the engine printed the reason itself.
  std::string stopMessage;
  bool stops = false;
  std::int64_t positionAfterBlock = 0;
  int linesAfterBlock = 0;
  // The lines the program generated, one after the other, and where each
  // ends: a line costs its characters and one number, not a string of its own.
  std::string output;
  std::vector<std::size_t> outputEnds;
  bool failed = false;              // compile or run status 2 or more
};

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::size_t SkipBlanks(std::string_view line, std::size_t position) {
  while (position < line.size() && IsBlank(line[position])) ++position;
  return position;
}

// "END <keyword>" followed by the end of the line, a blank or a tab.
bool IsClosingLine(std::string_view line, std::string_view keyword) {
  std::size_t position = SkipBlanks(line, 0);
  if (!platform::StartsWithIgnoringCase(line.substr(position), "END")) return false;
  position += 3;
  if (position >= line.size() || !IsBlank(line[position])) return false;
  position = SkipBlanks(line, position);
  if (!platform::StartsWithIgnoringCase(line.substr(position), keyword)) return false;
  position += keyword.size();
  return position == line.size() || IsBlank(line[position]);
}

bool HasName(UserBlockKind kind) { return kind == UserBlockKind::Program || kind == UserBlockKind::Subroutine; }

// A program's name is its token up to the first '('.
std::string_view NameOf(std::string_view token) { return token.substr(0, token.find('(')); }

}  // namespace

// The lines of one block's program, which say where they come from.
class UserCodeBlocks::BlockOutput : public ProgramLineSource {
 public:
  explicit BlockOutput(const Record& block) : block_(block) {}
  const std::string& ProgramName() const override { return block_.name; }
  int BlockLine() const override { return block_.linesBefore + 1; }

 private:
  const Record& block_;
};

// Lines of a program running in the pre-scan, kept for the main pass.
class UserCodeBlocks::LiveOutput final : public BlockOutput {
 public:
  LiveOutput(UserCodeBlocks& blocks, UserCodeSession& session, Record& record)
      : BlockOutput(record), blocks_(blocks), session_(session), record_(record) {}
  Result Next(std::string& line) override {
    switch (session_.NextGeneratedLine(line)) {
      case GeneratedLineStatus::Line:
        if (!blocks_.KeepGenerated(record_, line)) return Result::EndOfInput;
        return Result::Line;
      case GeneratedLineStatus::Finished:
        blocks_.ResumeAfter(record_);
        return Result::Exhausted;
      case GeneratedLineStatus::Fatal:
        record_.failed = true;
        record_.stops = true;
        return Result::EndOfInput;
    }
    return Result::EndOfInput;
  }

 private:
  UserCodeBlocks& blocks_;
  UserCodeSession& session_;
  Record& record_;
};

// The captured lines read again in the main pass; a program that failed
// stops the read once its lines are through.
class UserCodeBlocks::ReplayedOutput final : public BlockOutput {
 public:
  ReplayedOutput(UserCodeBlocks& blocks, const Record& record, ReaderState& state)
      : BlockOutput(record), blocks_(blocks), record_(record), state_(state) {}
  Result Next(std::string& line) override {
    if (next_ < record_.outputEnds.size()) {
      std::size_t start = next_ == 0 ? 0 : record_.outputEnds[next_ - 1];
      line.assign(record_.output, start, record_.outputEnds[next_++] - start);
      return Result::Line;
    }
    if (record_.failed) {
      state_.failed = true;
      return Result::EndOfInput;
    }
    blocks_.ResumeAfter(record_);
    return Result::Exhausted;
  }

 private:
  UserCodeBlocks& blocks_;
  const Record& record_;
  ReaderState& state_;
  std::size_t next_ = 0;
};

UserCodeBlocks::UserCodeBlocks(InputFile& file, UserCodeSession* session, std::string unavailableMessage,
                               GeneratedLineLimit limit)
    : file_(file), session_(session), unavailableMessage_(std::move(unavailableMessage)), limit_(limit) {}

UserCodeBlocks::~UserCodeBlocks() = default;

void UserCodeBlocks::BeginPass(int pass) {
  pass_ = pass;
  arraysSeen_ = false;
  programBlockSeen_ = false;
  lastProgramKind_ = UserBlockKind::Program;
  if (session_ != nullptr) session_->BeginPass(pass);
}

int UserCodeBlocks::ProgramCount() const {
  int count = 0;
  for (const Record& record : records_) count += HasName(record.kind) ? 1 : 0;
  return count;
}

bool UserCodeBlocks::KeepGenerated(Record& record, const std::string& line) {
  generatedBytes_ += line.size() + 1;
  if (++generatedLines_ <= limit_.lines && generatedBytes_ <= limit_.bytes) {
    record.output += line;
    record.outputEnds.push_back(record.output.size());
    return true;
  }
  // The main pass stops at the block with the message; none of the lines is
  // read, so none is kept.
  std::string().swap(record.output);
  std::vector<std::size_t>().swap(record.outputEnds);
  std::string source = record.kind == UserBlockKind::Parameters
                           ? std::string(messages::kParametersBlockSource)
                           : platform::FormatText(messages::kProgramSource, record.name.c_str());
  record.stopMessage = platform::FormatText(messages::kGeneratedLineLimit, source.c_str(),
                                            static_cast<long long>(limit_.lines),
                                            static_cast<double>(limit_.bytes) / 1048576.0);
  record.failed = true;
  record.stops = true;
  return false;
}

void UserCodeBlocks::ResumeAfter(const Record& record) { file_.Seek(record.positionAfterBlock, record.linesAfterBlock); }

bool UserCodeBlocks::Handle(DirectiveContext& context, UserBlockKind kind, std::string_view keyword) {
  std::int64_t lineStart = context.tokens.LineFilePosition();
  if (pass_ == 0) {
    Record& record = records_.emplace_back();
    record.lineStart = lineStart;
    record.linesBefore = context.tokens.LineFileNumber() - 1;
    record.kind = kind;
    if (PreScan(context, record, keyword)) return true;
    record.stops = true;
    context.state.preScanEnded = true;
    return false;
  }
  Record* record = nullptr;
  for (Record& candidate : records_)
    if (candidate.lineStart == lineStart) record = &candidate;
  if (record == nullptr && session_ != nullptr) {
    std::string upper = platform::ToUpper(keyword);
    context.console.Write(
        platform::FormatText(messages::kBlockInContinuation, upper.c_str(), context.tokens.LineFileNumber()));
    context.state.failed = true;
    return false;
  }
  return MainPass(context, record);
}

bool UserCodeBlocks::Collect(Record& record, std::string_view keyword, UserCodeBlock& block) {
  file_.Seek(record.lineStart, record.linesBefore);
  std::string line;
  bool opened = false;
  while (!opened) {
    if (!file_.ReadLine(line)) break;
    std::size_t position = SkipBlanks(line, 0);
    if (!platform::StartsWithIgnoringCase(std::string_view(line).substr(position), keyword)) continue;
    opened = true;
    position = SkipBlanks(line, position + keyword.size());
    if (!block.name.empty() && line.compare(position, block.name.size(), block.name) == 0)
      position += block.name.size();
    block.text = line.substr(std::min(position, line.size()));
    block.text += "\r\n";
    block.lines.push_back({file_.LineStart() + static_cast<std::int64_t>(position), file_.LineNumber()});
  }
  while (opened && file_.ReadLine(line)) {
    if (IsClosingLine(line, keyword)) {
      record.positionAfterBlock = file_.Position();
      record.linesAfterBlock = file_.LineNumber();
      block.positionAfterBlock = record.positionAfterBlock;
      return true;
    }
    block.text += line;
    block.text += "\r\n";
    block.lines.push_back({file_.LineStart(), file_.LineNumber()});
  }
  std::string upper = platform::ToUpper(keyword);
  record.stopMessage = platform::FormatText(messages::kBlockNotClosed, upper.c_str(), record.linesBefore + 1, upper.c_str());
  return false;
}

bool UserCodeBlocks::PreScan(DirectiveContext& context, Record& record, std::string_view keyword) {
  UserCodeBlock block;
  block.kind = record.kind;
  if (record.kind == UserBlockKind::Arrays) {
    if (programBlockSeen_) return false;
    if (arraysSeen_) {
      record.stopMessage = platform::FormatText(messages::kBlockMessage, messages::kOnlyOneArrays);
      return false;
    }
    arraysSeen_ = true;
    if (!Collect(record, keyword, block)) return false;
    if (session_ == nullptr) return false;
    std::string error;
    if (session_->DefineArrays(block, error) >= 0) {
      record.stopMessage = platform::FormatText(messages::kBlockMessage, error.c_str());
      return false;
    }
    ResumeAfter(record);
    return true;
  }
  if (record.kind == UserBlockKind::Parameters && programBlockSeen_) return false;
  if (HasName(record.kind)) {
    std::optional<std::string_view> token = context.tokens.NextToken();
    if (token) block.name = std::string(NameOf(*token));
    record.name = block.name;
    if (block.name.empty()) {
      record.stopMessage = messages::kProgramNameMissing;
      return false;
    }
  }
  if (!Collect(record, keyword, block)) return false;
  if (session_ == nullptr) return false;
  if (HasName(record.kind)) {
    ProgramNameCheck check = session_->CheckProgramName(block.name);
    if (!check.accepted) {
      record.stopMessage = platform::FormatText(messages::kFramedEngineMessage, check.message.c_str());
      return false;
    }
  }
  programBlockSeen_ = true;
  lastProgramKind_ = record.kind;
  if (session_->CompileBlock(block) >= kUserCodeSyntaxError) {
    record.failed = true;
    return false;
  }
  if (record.kind == UserBlockKind::Subroutine) {
    ResumeAfter(record);
    return true;
  }
  session_->StartProgram();
  live_ = std::make_unique<LiveOutput>(*this, *session_, record);
  context.tokens.SetProgramSource(live_.get());
  return true;
}

bool UserCodeBlocks::MainPass(DirectiveContext& context, Record* record) {
  auto stop = [&](const std::string& message) {
    if (!message.empty()) context.Report(message);
    context.state.failed = true;
    return false;
  };
  if (record == nullptr || (session_ == nullptr && record->stopMessage.empty())) return stop(unavailableMessage_);
  if (record->kind == UserBlockKind::Arrays) {
    if (programBlockSeen_) return stop(platform::FormatText(messages::kBlockMessage, messages::kArraysMustPrecede));
    if (record->stops) return stop(record->stopMessage);
    ResumeAfter(*record);
    return true;
  }
  if (record->kind == UserBlockKind::Parameters && programBlockSeen_)
    return stop(lastProgramKind_ == UserBlockKind::Parameters ? messages::kOnlyOneParameters
                                                              : messages::kParametersMustPrecede);
  if (!record->stopMessage.empty()) return stop(record->stopMessage);
  programBlockSeen_ = true;
  lastProgramKind_ = record->kind;
  if (record->failed && record->outputEnds.empty()) return stop("");
  if (record->kind == UserBlockKind::Subroutine) {
    ResumeAfter(*record);
    return true;
  }
  replayed_ = std::make_unique<ReplayedOutput>(*this, *record, context.state);
  context.tokens.SetProgramSource(replayed_.get());
  return true;
}

}  // namespace tessarin::input
