#include <cstring>

#include "engine/block_compiler.h"
#include "engine/expression_compiler.h"
#include "engine/names.h"

namespace tessarin::engine {
namespace {

std::string StripComment(std::string_view line) {
  bool quoted = false;
  for (std::size_t i = 0; i + 1 < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (!quoted && line[i] == '/' && line[i + 1] == '/') return std::string(line.substr(0, i));
  }
  return std::string(line);
}

// The keyword (any case) at the start of `text`, followed by blanks and '('.
bool StartsWithHeaderKeyword(std::string_view text, std::string_view keyword) {
  if (text.size() < keyword.size() || !SameName(text.substr(0, keyword.size()), keyword)) return false;
  std::size_t i = keyword.size();
  if (i < text.size() && !IsBlank(text[i]) && text[i] != '(') return false;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i < text.size() && text[i] == '(';
}

bool StartsWithControlKeyword(std::string_view text) {
  return StartsWithHeaderKeyword(text, "if") || StartsWithHeaderKeyword(text, "while") ||
         StartsWithHeaderKeyword(text, "for");
}

bool StartsWithElse(std::string_view text) {
  if (text.size() < 4 || !SameName(text.substr(0, 4), "else")) return false;
  return text.size() == 4 || IsBlank(text[4]) || text[4] == '{';
}

// A for header may begin a piece, or be the body of an if, while or else
// written before it on the same line.
bool CanStartForHeader(std::string_view before) {
  before = TrimBlanks(before);
  if (before.empty() || before.back() == ')') return true;
  return before.size() >= 4 && SameName(before.substr(before.size() - 4), "else") &&
         (before.size() == 4 || IsBlank(before[before.size() - 5]));
}

// The position of the ')' matching the '(' at `open`, or npos.
std::size_t MatchingParenthesis(std::string_view text, std::size_t open) {
  int depth = 0;
  bool quoted = false;
  for (std::size_t i = open; i < text.size(); ++i) {
    if (text[i] == '"') quoted = !quoted;
    if (quoted) continue;
    if (text[i] == '(') ++depth;
    if (text[i] == ')' && --depth == 0) return i;
  }
  return std::string_view::npos;
}

std::vector<std::string> SplitForHeader(std::string_view inside) {
  std::vector<std::string> parts(1);
  bool quoted = false;
  for (char c : inside) {
    if (c == '"') quoted = !quoted;
    if (!quoted && c == ';') {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

}  // namespace

BlockCompiler::BlockCompiler(EngineTables& tables, int slotIndex)
    : tables_(tables), slotIndex_(slotIndex), slot_(*tables.slots[slotIndex]), code_(slot_.code) {}

bool BlockCompiler::Fail(Msg id, int line) { return FailText(std::string(MessageText(id)), line); }

bool BlockCompiler::FailText(std::string text, int line) {
  result_.ok = false;
  result_.message = std::move(text);
  if (result_.message.size() > 2000) result_.message.resize(2000);
  result_.line = line;
  return false;
}

BlockCompileResult BlockCompiler::Compile(std::string_view blockText, int firstLine) {
  code_ = CompiledProgram{};
  const ProgramRecord& record = slot_.record;
  code_.formalCount = static_cast<int>(record.formalNames.size());
  for (int i = 0; i < code_.formalCount; ++i) {
    formalIndex_.emplace(FoldName(record.formalNames[i]), i);
    code_.initialSlots.push_back(0.0);
    slotKinds_.push_back(SlotKind::kFormal);
  }
  formalUsed_.assign(code_.formalCount, false);
  if (!SplitLines(blockText, firstLine)) return result_;
  bool any = false;
  for (const Piece& piece : pieces_) any = any || !piece.text.empty() || piece.terminator == '{';
  if (!any) {
    Fail(Msg::kProgramCodeEmpty, lastStatementLine_);
    return result_;
  }
  result_.lastLine = lastStatementLine_;
  bool mayBeUndefined = false;
  if (!CompileStatements(false, mayBeUndefined)) return result_;
  Emit(OpCode::kEnd, 0);
  result_.ok = true;
  result_.line = -1;
  if (mayBeUndefined) {
    result_.warning = true;
    result_.message = std::string(MessageText(Msg::kResultMayBeUndefined));
    result_.line = lastStatementLine_;
  }
  CollectWarnings();
  code_.localNames = localNames_;
  code_.compiled = true;
  return result_;
}

bool BlockCompiler::SplitLines(std::string_view text, int firstLine) {
  int lineNumber = 0;
  int braceDepth = 0;
  lastStatementLine_ = firstLine;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view raw = text.substr(start, end - start);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    if (lineNumber >= firstLine) {
      std::string line = StripComment(raw);
      if (!TrimBlanks(line).empty()) lastStatementLine_ = lineNumber;
      std::string current;
      bool quoted = false;
      for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (!quoted && CanStartForHeader(current) && StartsWithHeaderKeyword(std::string_view(line).substr(i), "for")) {
          std::size_t open = line.find('(', i);
          std::size_t headerEnd = 0;
          if (!CheckForHeader(line, open, headerEnd, lineNumber)) return false;
          current += line.substr(i, headerEnd - i);
          i = headerEnd - 1;
          continue;
        }
        if (c == '"') quoted = !quoted;
        if (quoted || (c != ';' && c != '{' && c != '}')) {
          current += c;
          continue;
        }
        Piece piece{std::string(TrimBlanks(current)), c, lineNumber, true};
        current.clear();
        if (c == '{') ++braceDepth;
        if (c == '}') {
          if (--braceDepth < 0) return Fail(Msg::kMismatchedBraces, lineNumber);
          std::string_view after = TrimBlanks(std::string_view(line).substr(i + 1));
          // "} else" on one line is accepted as well.
          piece.braceLastOnLine = after.empty() || StartsWithElse(after);
        }
        pieces_.push_back(std::move(piece));
      }
      if (!TrimBlanks(current).empty()) pieces_.push_back({std::string(TrimBlanks(current)), '\n', lineNumber, true});
    }
    ++lineNumber;
    if (end == text.size()) break;
    start = end + 1;
  }
  if (braceDepth > 0) return Fail(Msg::kMismatchedBraces, lastStatementLine_);
  return true;
}

bool BlockCompiler::CheckForHeader(const std::string& line, std::size_t open, std::size_t& end, int lineNumber) {
  int depth = 0;
  int semicolons = 0;
  bool quoted = false;
  end = std::string::npos;
  for (std::size_t i = open; i < line.size(); ++i) {
    char c = line[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '{' || c == '}') return Fail(Msg::kBracesInForHeader, lineNumber);
    if (c == ';') ++semicolons;
    if (c == '(') ++depth;
    if (c == ')' && --depth == 0) {
      end = i + 1;
      break;
    }
  }
  if (end == std::string::npos) {
    if (semicolons != 2) return Fail(Msg::kForSemicolons, lineNumber);
    return Fail(Msg::kForParentheses, lineNumber);
  }
  if (semicolons != 2) return Fail(Msg::kForSemicolons, lineNumber);
  std::vector<std::string> parts = SplitForHeader(std::string_view(line).substr(open + 1, end - open - 2));
  if (TrimBlanks(parts[1]).empty()) return Fail(Msg::kForEmptyCondition, lineNumber);
  return true;
}

bool BlockCompiler::CompileStatements(bool braced, bool& mayBeUndefined) {
  mayBeUndefined = true;
  while (next_ < pieces_.size()) {
    const Piece piece = pieces_[next_++];
    currentLine_ = piece.line;
    if (piece.text.empty() && piece.terminator == '}') {
      if (!braced) return Fail(Msg::kMismatchedBraces, piece.line);
      if (!piece.braceLastOnLine) return Fail(Msg::kBraceNotLast, piece.line);
      return true;
    }
    StatementShape shape;
    if (!CompileStatement(piece, false, shape)) return false;
    if (shape.isStatement) mayBeUndefined = shape.mayBeUndefined;
    if (shape.closesBlock) {
      if (!braced) return Fail(Msg::kMismatchedBraces, piece.line);
      if (!piece.braceLastOnLine) return Fail(Msg::kBraceNotLast, piece.line);
      return true;
    }
  }
  if (braced) return Fail(Msg::kIncorrectKeywords, lastStatementLine_);
  return true;
}

bool BlockCompiler::CompileStatement(Piece piece, bool singleBody, StatementShape& shape) {
  NestingLevel level(nesting_);
  std::string_view text = piece.text;
  if (text.empty()) {
    if (piece.terminator == '}') return Fail(Msg::kIncorrectKeywords, piece.line);
    if (piece.terminator == '{') {
      // A braced group without a keyword: its statements run in order.
      if (!MayOpenNestedBody(piece.line)) return false;
      shape.isStatement = true;
      return CompileStatements(true, shape.mayBeUndefined);
    }
    return true;
  }
  shape.isStatement = true;
  if (StartsWithControlKeyword(text) && !MayOpenNestedBody(piece.line)) return false;
  if (StartsWithHeaderKeyword(text, "if")) return CompileIf(piece, shape);
  if (StartsWithHeaderKeyword(text, "while")) return CompileWhile(piece, text.substr(5), shape);
  if (StartsWithHeaderKeyword(text, "for")) return CompileFor(piece, text.substr(3), shape);
  if (StartsWithElse(text)) return Fail(Msg::kIncorrectKeywords, piece.line);
  if (piece.terminator == '{') return Fail(Msg::kBraceAfterStatement, piece.line);
  if (piece.terminator == '}' && singleBody) return Fail(Msg::kHigherLevelBrace, piece.line);
  if (!CompileExpressionStatement(text, piece.line, false, nullptr)) return false;
  ++statementCount_;
  shape.mayBeUndefined = false;
  shape.closesBlock = piece.terminator == '}';
  return true;
}

// Nested statements are compiled by recursion: a depth whose stack could run
// out is refused, long before it would in any build.
bool BlockCompiler::MayOpenNestedBody(int line) {
  if (nesting_ <= kMaxStatementNesting) return true;
  return FailText(Format(Msg::kNestingTooDeep, kMaxStatementNesting), line);
}

bool BlockCompiler::ParseCondition(const Piece& piece, std::string_view afterKeyword, std::string& condition,
                                   std::string_view& rest) {
  std::size_t open = afterKeyword.find('(');
  std::size_t close = MatchingParenthesis(afterKeyword, open);
  if (close == std::string_view::npos) return Fail(Msg::kMismatchedParentheses, piece.line);
  condition = std::string(TrimBlanks(afterKeyword.substr(open + 1, close - open - 1)));
  if (condition.empty()) return Fail(Msg::kConditionEmpty, piece.line);
  rest = afterKeyword.substr(close + 1);
  return true;
}

// An else-if chain is compiled in this loop rather than by recursion, so that
// a chain of any length takes no more stack than one if statement; its
// jumps to the end are patched once the last branch is compiled. The else
// parts of a chain hold nothing but the next condition, which assigns
// nothing, so they are sibling regions: no region walk grows with the chain.
bool BlockCompiler::CompileIf(const Piece& piece, StatementShape& shape) {
  Piece current = piece;
  std::vector<int> jumpsToEnd;
  const int outerRegion = currentRegion_;
  shape.mayBeUndefined = false;
  for (;;) {
    std::string condition;
    std::string_view rest;
    if (!ParseCondition(current, std::string_view(current.text).substr(2), condition, rest)) return false;
    int conditionSlot = 0;
    if (!CompileExpressionStatement(condition, current.line, true, &conditionSlot)) return false;
    int skip = EmitConditionalJump(conditionSlot);
    int region = BeginRegion();
    StatementShape body;
    if (!CompileBody(current, rest, false, body, "")) return false;
    EndRegion(region);
    shape.mayBeUndefined = shape.mayBeUndefined || body.mayBeUndefined;
    if (next_ >= pieces_.size() || !StartsWithElse(pieces_[next_].text)) {
      PatchJump(skip);
      shape.mayBeUndefined = true;
      break;
    }
    Piece elsePiece = pieces_[next_++];
    jumpsToEnd.push_back(Emit(OpCode::kJump, 0));
    PatchJump(skip);
    currentRegion_ = outerRegion;
    BeginRegion();
    if (TakeChainedIf(elsePiece, current)) continue;
    StatementShape elseBody;
    if (!CompileBody(elsePiece, std::string_view(elsePiece.text).substr(4), false, elseBody, "")) return false;
    shape.mayBeUndefined = shape.mayBeUndefined || elseBody.mayBeUndefined;
    break;
  }
  currentRegion_ = outerRegion;
  for (int jump : jumpsToEnd) PatchJump(jump);
  return true;
}

// The if statement that is the whole body of an else, written after it on
// the same line or alone on the next piece, as CompileBody would find it.
bool BlockCompiler::TakeChainedIf(const Piece& elsePiece, Piece& chained) {
  std::string_view rest = TrimBlanks(std::string_view(elsePiece.text).substr(4));
  if (!rest.empty()) {
    if (!StartsWithHeaderKeyword(rest, "if")) return false;
    chained = Piece{std::string(rest), elsePiece.terminator, elsePiece.line, elsePiece.braceLastOnLine};
    return true;
  }
  if (elsePiece.terminator != '\n' || next_ >= pieces_.size()) return false;
  if (!StartsWithHeaderKeyword(pieces_[next_].text, "if")) return false;
  chained = pieces_[next_++];
  return true;
}

bool BlockCompiler::CompileWhile(const Piece& piece, std::string_view afterKeyword, StatementShape& shape) {
  std::string condition;
  std::string_view rest;
  if (!ParseCondition(piece, afterKeyword, condition, rest)) return false;
  int top = static_cast<int>(code_.operations.size());
  int conditionSlot = 0;
  if (!CompileExpressionStatement(condition, piece.line, true, &conditionSlot)) return false;
  int exit = EmitConditionalJump(conditionSlot);
  int bodyStart = static_cast<int>(code_.operations.size());
  int region = BeginRegion();
  StatementShape body;
  if (!CompileBody(piece, rest, false, body, "")) return false;
  EndRegion(region);
  EmitLoopEnd(top, exit, bodyStart);
  PatchJump(exit);
  shape.mayBeUndefined = true;
  return true;
}

bool BlockCompiler::CompileFor(const Piece& piece, std::string_view afterKeyword, StatementShape& shape) {
  std::size_t open = afterKeyword.find('(');
  std::size_t close = MatchingParenthesis(afterKeyword, open);
  std::vector<std::string> parts = SplitForHeader(afterKeyword.substr(open + 1, close - open - 1));
  std::string_view init = TrimBlanks(parts[0]);
  if (!init.empty() && !CompileExpressionStatement(init, piece.line, false, nullptr)) return false;
  int top = static_cast<int>(code_.operations.size());
  int conditionSlot = 0;
  if (!CompileExpressionStatement(TrimBlanks(parts[1]), piece.line, true, &conditionSlot)) return false;
  int exit = EmitConditionalJump(conditionSlot);
  int bodyStart = static_cast<int>(code_.operations.size());
  int region = BeginRegion();
  StatementShape body;
  if (!CompileBody(piece, afterKeyword.substr(close + 1), true, body, std::string(TrimBlanks(parts[2])))) return false;
  EndRegion(region);
  EmitLoopEnd(top, exit, bodyStart);
  PatchJump(exit);
  shape.mayBeUndefined = true;
  return true;
}

bool BlockCompiler::CompileBody(const Piece& header, std::string_view rest, bool isFor, StatementShape& shape,
                                const std::string& forStep) {
  rest = TrimBlanks(rest);
  auto compileStep = [&]() {
    return forStep.empty() || CompileExpressionStatement(forStep, header.line, false, nullptr);
  };
  if (!rest.empty()) {
    if (isFor && StartsWithControlKeyword(rest)) return Fail(Msg::kForBodyNeedsBraces, header.line);
    Piece body{std::string(rest), header.terminator, header.line, header.braceLastOnLine};
    if (!CompileStatement(body, true, shape)) return false;
    return compileStep();
  }
  bool braced = false;
  switch (header.terminator) {
    case '{': braced = true; break;
    case ';': shape.mayBeUndefined = true; return compileStep();
    case '}': return Fail(isFor ? Msg::kForFollowedByBrace : Msg::kIncorrectKeywords, header.line);
    default: {
      if (next_ >= pieces_.size()) return Fail(Msg::kIncorrectKeywords, header.line);
      const Piece next = pieces_[next_];
      if (next.text.empty() && next.terminator == '}')
        return Fail(isFor ? Msg::kForFollowedByBrace : Msg::kIncorrectKeywords, next.line);
      ++next_;
      if (next.text.empty() && next.terminator == '{') {
        braced = true;
        break;
      }
      if (isFor && StartsWithControlKeyword(next.text)) return Fail(Msg::kForBodyNeedsBraces, next.line);
      if (!CompileStatement(next, true, shape)) return false;
      return compileStep();
    }
  }
  if (braced) {
    if (!CompileStatements(true, shape.mayBeUndefined)) return false;
    shape.isStatement = true;
  }
  return compileStep();
}

bool BlockCompiler::CompileExpressionStatement(std::string_view text, int line, bool isCondition, int* resultSlot) {
  currentLine_ = line;
  ExpressionCompiler expression(*this, line);
  std::size_t before = code_.operations.size();
  int slot = 0;
  if (!expression.Compile(text, isCondition, slot)) return false;
  if (!isCondition && (code_.operations.size() == before || code_.operations.back().r != slot)) {
    int temporary = NewTemporary();
    Emit(OpCode::kCopy, temporary, slot);
    slot = temporary;
  }
  if (resultSlot) *resultSlot = slot;
  return true;
}

int BlockCompiler::EmitConditionalJump(int conditionSlot) {
  if (!code_.operations.empty() && code_.operations.back().r == conditionSlot && IsTemporary(conditionSlot)) {
    Operation& last = code_.operations.back();
    OpCode fused = OpCode::kJumpIfFalse;
    switch (last.code) {
      case OpCode::kLess: fused = OpCode::kLessJump; break;
      case OpCode::kLessEqual: fused = OpCode::kLessEqualJump; break;
      case OpCode::kGreater: fused = OpCode::kGreaterJump; break;
      case OpCode::kGreaterEqual: fused = OpCode::kGreaterEqualJump; break;
      case OpCode::kEqual: fused = OpCode::kEqualJump; break;
      case OpCode::kNotEqual: fused = OpCode::kNotEqualJump; break;
      default: break;
    }
    if (fused != OpCode::kJumpIfFalse) {
      last.code = fused;
      return static_cast<int>(code_.operations.size()) - 1;
    }
  }
  return Emit(OpCode::kJumpIfFalse, conditionSlot, conditionSlot);
}

// When the condition is one comparison, the loop tests it again at its end
// and jumps back into the body, which saves a jump per pass; an increment of
// the compared variable right before it joins the test.
void BlockCompiler::EmitLoopEnd(int top, int exit, int bodyStart) {
  std::vector<Operation>& ops = code_.operations;
  jumpTargets_.insert(top);
  jumpTargets_.insert(bodyStart);
  if (exit != top) {
    Emit(OpCode::kJump, 0, 0, 0, top);
    return;
  }
  Operation test = ops[exit];
  OpCode back = OpCode::kJump;
  switch (test.code) {
    case OpCode::kLessJump: back = OpCode::kLessBack; break;
    case OpCode::kLessEqualJump: back = OpCode::kLessEqualBack; break;
    case OpCode::kGreaterJump: back = OpCode::kGreaterBack; break;
    case OpCode::kGreaterEqualJump: back = OpCode::kGreaterEqualBack; break;
    case OpCode::kEqualJump: back = OpCode::kEqualBack; break;
    case OpCode::kNotEqualJump: back = OpCode::kNotEqualBack; break;
    default: Emit(OpCode::kJump, 0, 0, 0, top); return;
  }
  int lastBodyOperation = static_cast<int>(ops.size()) - 1;
  bool increments = lastBodyOperation >= bodyStart && ops.back().code == OpCode::kAdd && ops.back().r == ops.back().a &&
                    ops.back().r == test.a && !IsTemporary(test.a) &&
                    (back == OpCode::kLessBack || back == OpCode::kLessEqualBack) &&
                    !JumpTargetsAt(lastBodyOperation + 1);
  if (increments) {
    Operation& add = ops.back();
    add = {back == OpCode::kLessBack ? OpCode::kAddLessBack : OpCode::kAddLessEqualBack, add.r, add.b, test.b, bodyStart};
    return;
  }
  Emit(back, test.r, test.a, test.b, bodyStart);
}

bool BlockCompiler::JumpTargetsAt(int operation) const { return jumpTargets_.count(operation) > 0; }

void BlockCompiler::PatchJump(int operation) {
  code_.operations[operation].c = static_cast<int>(code_.operations.size());
  jumpTargets_.insert(code_.operations[operation].c);
}

int BlockCompiler::BeginRegion() {
  regionParent_.push_back(currentRegion_);
  currentRegion_ = static_cast<int>(regionParent_.size()) - 1;
  return currentRegion_;
}

void BlockCompiler::EndRegion(int region) { currentRegion_ = regionParent_[region]; }

bool BlockCompiler::IsAncestorRegion(int ancestor, int region) const {
  for (int r = region; r >= 0; r = regionParent_[r])
    if (r == ancestor) return true;
  return false;
}

void BlockCompiler::NoteAssignment(int local) {
  auto found = assignedRegion_.find(local);
  if (found == assignedRegion_.end()) {
    assignedRegion_.emplace(local, currentRegion_);
  } else if (IsAncestorRegion(currentRegion_, found->second)) {
    found->second = currentRegion_;
  }
}

void BlockCompiler::NoteRead(int local, int line) {
  auto found = assignedRegion_.find(local);
  if (found == assignedRegion_.end() || IsAncestorRegion(found->second, currentRegion_)) return;
  if (unsetLine_ < 0) {
    unsetLine_ = line;
    for (std::size_t k = 0; k < localSlotOrder_.size(); ++k)
      if (localSlotOrder_[k] == local) unsetVariable_ = localNames_[k];
  }
}

void BlockCompiler::CollectWarnings() {
  for (int i = 0; i < code_.formalCount; ++i) {
    if (!formalUsed_[i]) {
      result_.warning = true;
      result_.message = Format(Msg::kUnusedFormalParameter, QuotedName(slot_.record.formalNames[i]));
      result_.line = lastStatementLine_;
      return;
    }
  }
  if (result_.warning) return;
  if (unsetLine_ >= 0) {
    result_.warning = true;
    result_.message = Format(Msg::kMaybeUsedBeforeSet, QuotedName(unsetVariable_));
    result_.line = unsetLine_;
  }
}

int BlockCompiler::NewTemporary() {
  code_.initialSlots.push_back(0.0);
  slotKinds_.push_back(SlotKind::kTemporary);
  return static_cast<int>(code_.initialSlots.size()) - 1;
}

int BlockCompiler::ConstantSlot(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  auto found = constants_.find(bits);
  if (found != constants_.end()) return found->second;
  code_.initialSlots.push_back(value);
  slotKinds_.push_back(SlotKind::kConstant);
  int slot = static_cast<int>(code_.initialSlots.size()) - 1;
  constants_.emplace(bits, slot);
  return slot;
}

int BlockCompiler::Emit(OpCode code, int r, int a, int b, int c) {
  std::vector<Operation>& ops = code_.operations;
  // a + b*c in one step when the product was computed just before.
  if (code == OpCode::kAdd && !ops.empty() && ops.back().code == OpCode::kMultiply && ops.back().r == b &&
      IsTemporary(b) && b != a && !JumpTargetsAt(static_cast<int>(ops.size()))) {
    Operation& multiply = ops.back();
    multiply = {OpCode::kMultiplyAdd, r, a, multiply.a, multiply.b};
    return static_cast<int>(ops.size()) - 1;
  }
  code_.operations.push_back({code, r, a, b, c});
  code_.operationLines.push_back(currentLine_);
  return static_cast<int>(code_.operations.size()) - 1;
}

int BlockCompiler::FindLocal(std::string_view name) const {
  auto found = localSlots_.find(FoldName(name));
  return found == localSlots_.end() ? -1 : found->second;
}

int BlockCompiler::CreateLocal(std::string_view name) {
  code_.initialSlots.push_back(0.0);
  slotKinds_.push_back(SlotKind::kLocal);
  int slot = static_cast<int>(code_.initialSlots.size()) - 1;
  localSlots_.emplace(FoldName(name), slot);
  localNames_.emplace_back(name);
  localSlotOrder_.push_back(slot);
  return slot;
}

}  // namespace tessarin::engine
