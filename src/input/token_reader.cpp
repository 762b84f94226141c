#include "input/token_reader.h"

#include "input/messages.h"
#include "platform/console.h"
#include "platform/format_text.h"

namespace tessarin::input {
namespace {

bool OnlySeparators(std::string_view text) {
  for (char c : text)
    if (!IsTokenSeparator(c)) return false;
  return true;
}

}  // namespace

TokenReader::TokenReader(InputFile& file, platform::Console& console) : file_(file), console_(console) {}

void TokenReader::BeginPass(bool printWarnings) {
  printWarnings_ = printWarnings;
  program_ = nullptr;
  lineCounter_ = 0;
  endOfInput_ = false;
  BeginDirective();
}

void TokenReader::BeginDirective() {
  newLine_ = true;
  continuing_ = false;
  directiveEnded_ = false;
}

bool TokenReader::ReadNextLine() {
  if (endOfInput_) return false;
  while (program_ != nullptr) {
    ProgramLineSource::Result result = program_->Next(line_);
    if (result == ProgramLineSource::Result::Line) {
      if (line_.size() > kMaxLineLength) line_.resize(kMaxLineLength);
      return true;
    }
    program_ = nullptr;
    if (result == ProgramLineSource::Result::EndOfInput) {
      endOfInput_ = true;
      return false;
    }
  }
  if (!file_.ReadLine(line_)) {
    endOfInput_ = true;
    return false;
  }
  lineFilePosition_ = file_.LineStart();
  lineFileNumber_ = file_.LineNumber();
  if (printWarnings_) WarnIfCut();
  return true;
}

// The reader keeps only the first kMaxLineLength characters of a line, as the
// simulator does; the user hears of it unless what is lost is a comment.
void TokenReader::WarnIfCut() {
  const std::string& rest = file_.CutRest();
  if (rest.empty() || line_.find("//") != std::string::npos || rest.starts_with("//")) return;
  DirectiveOrigin where;
  where.fileName = file_.Name();
  where.firstLine = where.lastLine = lineFileNumber_;
  std::size_t first = 0;
  while (first < line_.size() && IsTokenSeparator(line_[first])) ++first;
  where.text = line_.substr(first, kMaxOriginText);
  where.shortened = line_.size() - first > kMaxOriginText;
  WriteWithOrigin(console_, platform::FormatText(messages::kLineCut, lineFileNumber_,
                                                          static_cast<int>(kMaxLineLength), rest.c_str()), where);
}

void TokenReader::NoteOrigin() {
  if (!continuing_) {
    origin_.fileName = file_.Name();
    origin_.generated = program_ != nullptr;
    origin_.program = origin_.generated ? program_->ProgramName() : std::string();
    origin_.firstLine = origin_.generated ? program_->BlockLine() : lineFileNumber_;
    origin_.text.clear();
    origin_.shortened = false;
  } else if (!origin_.text.empty() && !origin_.shortened) {
    origin_.text += ' ';
  }
  origin_.lastLine = origin_.generated ? origin_.firstLine : lineFileNumber_;
  continuing_ = true;
  originLineSkip_ = 0;
  while (originLineSkip_ < line_.size() && IsTokenSeparator(line_[originLineSkip_])) ++originLineSkip_;
  originLineStart_ = origin_.text.size();
  if (origin_.shortened) return;
  origin_.text.append(line_, originLineSkip_);
  CutOriginAt(line_.size());
  if (origin_.text.size() > kMaxOriginText) {
    origin_.text.resize(kMaxOriginText);
    origin_.shortened = true;
  }
}

// The directive's text ends at `position` of the current line ('&' and what
// follows it are not part of it); trailing blanks are dropped.
void TokenReader::CutOriginAt(std::size_t position) {
  std::size_t end = originLineStart_ + (position > originLineSkip_ ? position - originLineSkip_ : 0);
  if (end < origin_.text.size()) origin_.text.resize(end);
  while (!origin_.text.empty() && IsTokenSeparator(origin_.text.back())) origin_.text.pop_back();
}

bool TokenReader::ReadLineWithToken() {
  while (ReadNextLine()) {
    ++lineCounter_;
    std::size_t comment = line_.find("//");
    if (comment != std::string::npos) line_.resize(comment);
    if (!OnlySeparators(line_)) {
      cursor_ = 0;
      NoteOrigin();
      return true;
    }
  }
  return false;
}

std::optional<std::string_view> TokenReader::NextToken() {
  for (;;) {
    if (directiveEnded_) return std::nullopt;
    if (newLine_) {
      newLine_ = false;
      if (!ReadLineWithToken()) {
        newLine_ = true;
        directiveEnded_ = true;
        return std::nullopt;
      }
    }
    while (cursor_ < line_.size() && IsTokenSeparator(line_[cursor_])) ++cursor_;
    if (cursor_ >= line_.size()) {
      newLine_ = true;
      directiveEnded_ = true;
      return std::nullopt;
    }
    std::size_t start = cursor_;
    while (cursor_ < line_.size() && !IsTokenSeparator(line_[cursor_])) ++cursor_;
    std::string_view token(line_.data() + start, cursor_ - start);
    tokenStart_ = start;
    std::size_t ampersand = token.find('&');
    if (ampersand == std::string_view::npos) return token;
    bool textFollows = ampersand + 1 < token.size() || !OnlySeparators(std::string_view(line_).substr(cursor_));
    CutOriginAt(start + ampersand);
    if (textFollows && printWarnings_)
      WriteWithOrigin(console_, platform::FormatText(messages::kContinuationNotLast, lineCounter_), origin_);
    newLine_ = true;
    token = token.substr(0, ampersand);
    if (!token.empty()) return token;
  }
}

std::optional<std::string_view> TokenReader::NextTokenFrom(std::size_t position) {
  if (directiveEnded_ || newLine_) return NextToken();
  cursor_ = position < line_.size() ? position : line_.size();
  return NextToken();
}

void TokenReader::SkipDirective() {
  while (NextToken()) {
  }
}

}  // namespace tessarin::input
