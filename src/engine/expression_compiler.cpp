#include "engine/expression_compiler.h"

#include <charconv>

#include "engine/names.h"
#include "engine/references.h"
#include "platform/decimal_number.h"

namespace tessarin::engine {
namespace {

bool IsOperatorCharacter(char c) { return std::string_view("+-*/^=><&|!").find(c) != std::string_view::npos; }

// Finds the assignment operators: '=' that is not part of ==, !=, <=, >=.
std::vector<std::size_t> AssignmentPositions(std::string_view text) {
  std::vector<std::size_t> found;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') quoted = !quoted;
    if (quoted || c != '=') continue;
    if (i + 1 < text.size() && text[i + 1] == '=') {
      ++i;
      continue;
    }
    if (i > 0 && (text[i - 1] == '<' || text[i - 1] == '>' || text[i - 1] == '!')) continue;
    found.push_back(i);
  }
  return found;
}

// Whether the e or E at `e` ends the mantissa of a number literal.
bool IsExponentMark(std::string_view text, std::size_t e) {
  if (e == 0 || (text[e] != 'e' && text[e] != 'E')) return false;
  std::size_t start = e;
  bool digit = false;
  while (start > 0 && (IsDigit(text[start - 1]) || text[start - 1] == '.')) {
    digit = digit || IsDigit(text[start - 1]);
    --start;
  }
  if (!digit) return false;
  return start == 0 || !IsNameCharacter(text[start - 1]);
}

// The end of the operand that starts at `from` (after blanks): a bracketed
// group, or a name or number optionally followed by one bracketed group.
std::size_t OperandEnd(std::string_view text, std::size_t from) {
  std::size_t i = from;
  while (i < text.size() && IsBlank(text[i])) ++i;
  auto skipGroup = [&](std::size_t at) {
    int depth = 0;
    bool quoted = false;
    for (std::size_t j = at; j < text.size(); ++j) {
      char c = text[j];
      if (c == '"') quoted = !quoted;
      if (quoted) continue;
      if (c == '(' || c == '[') ++depth;
      if (c == ')' || c == ']') {
        if (--depth == 0) return j + 1;
      }
    }
    return text.size();
  };
  if (i < text.size() && (text[i] == '(' || text[i] == '[')) return skipGroup(i);
  while (i < text.size()) {
    char c = text[i];
    if (IsNameCharacter(c) || c == '.') {
      ++i;
    } else if ((c == '+' || c == '-') && i > 0 && IsExponentMark(text, i - 1)) {
      ++i;
    } else {
      break;
    }
  }
  std::size_t j = i;
  while (j < text.size() && IsBlank(text[j])) ++j;
  if (j < text.size() && (text[j] == '(' || text[j] == '[')) return skipGroup(j);
  return i;
}

int Precedence(OpCode op) {
  switch (op) {
    case OpCode::kOr: return 2;
    case OpCode::kAnd: return 3;
    case OpCode::kAdd:
    case OpCode::kSubtract: return 5;
    case OpCode::kMultiply:
    case OpCode::kDivide: return 6;
    case OpCode::kPower: return 7;
    default: return 4;
  }
}


}  // namespace

bool ExpressionCompiler::Compile(std::string_view statement, bool isCondition, int& resultSlot) {
  std::string_view text = TrimBlanks(statement);
  firstOperation_ = block_.code_.operations.size();
  if (text.empty()) return Fail(Msg::kIncorrectSyntax);
  // Quotes first: everything after an unclosed one would be misread.
  {
    bool quoted = false;
    for (char c : text)
      if (c == '"') quoted = !quoted;
    if (quoted) return block_.FailText(std::string(kMissingClosingQuote), line_);
  }
  {
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '"') quoted = !quoted;
      if (!quoted && text[i] == '!' && (i + 1 >= text.size() || text[i + 1] != '=')) {
        return Fail(Msg::kIncorrectExclamation);
      }
    }
  }
  std::vector<std::size_t> assignments = AssignmentPositions(text);
  if (isCondition && !assignments.empty()) return Fail(Msg::kConditionHasAssignment);
  if (assignments.size() > 1) return Fail(Msg::kTwoAssignments);
  bool hasAssignment = !assignments.empty();
  if (hasAssignment && TrimBlanks(text.substr(assignments[0] + 1)).empty()) {
    return Fail(Msg::kEmptyAfterAssignment);
  }
  if (!CheckCharacters(text, hasAssignment)) return false;
  std::string edited = InsertSignZeros(text);
  if (!CheckBalance(edited)) return false;
  if (!hasAssignment) return CompileValue(edited, resultSlot);
  std::vector<std::size_t> editedAssignments = AssignmentPositions(edited);
  std::size_t at = editedAssignments[0];
  return CompileAssignment(TrimBlanks(std::string_view(edited).substr(0, at)),
                           TrimBlanks(std::string_view(edited).substr(at + 1)), resultSlot);
}

bool ExpressionCompiler::CheckCharacters(std::string_view text, bool hasAssignment) {
  char first = text.front();
  char last = text.back();
  std::string_view leading = hasAssignment ? "+-*/^=><&|!" : "*/^=><&|!";
  if (leading.find(first) != std::string_view::npos) return Fail(Msg::kBeginsWithOperator);
  std::string_view parentheses = hasAssignment ? "()[]" : ")]";
  if (parentheses.find(first) != std::string_view::npos) return Fail(Msg::kBeginsWithParenthesis);
  if (first == ',') return Fail(Msg::kBeginsWithComma);
  if (IsOperatorCharacter(last)) return Fail(Msg::kEndsWithOperator);
  if (last == ',') return Fail(Msg::kEndsWithComma);
  return true;
}

bool ExpressionCompiler::CheckBalance(std::string_view text) {
  std::vector<char> open;
  bool quoted = false;
  bool parentheses = false;
  bool brackets = false;
  bool failed = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '(' || c == '[') {
      open.push_back(c);
      (c == '(' ? parentheses : brackets) = true;
    } else if (c == ')' || c == ']') {
      (c == ')' ? parentheses : brackets) = true;
      char expected = c == ')' ? '(' : '[';
      if (open.empty() || open.back() != expected) {
        failed = true;
        if (!open.empty()) (open.back() == '(' ? parentheses : brackets) = true;
        break;
      }
      open.pop_back();
    }
  }
  if (!failed && open.empty()) return true;
  if (parentheses && brackets) return Fail(Msg::kMismatchedParenthesesOrBrackets);
  return Fail(brackets ? Msg::kMismatchedBrackets : Msg::kMismatchedParentheses);
}

std::string ExpressionCompiler::InsertSignZeros(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  std::vector<std::size_t> closeAt;
  bool quoted = false;
  auto emitCloses = [&](std::size_t at) {
    for (std::size_t k = 0; k < closeAt.size();) {
      if (closeAt[k] == at) {
        out += ')';
        closeAt.erase(closeAt.begin() + static_cast<long>(k));
      } else {
        ++k;
      }
    }
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    emitCloses(i);
    char c = text[i];
    if (c == '"') quoted = !quoted;
    if (quoted || (c != '+' && c != '-')) {
      out += c;
      continue;
    }
    std::size_t k = out.size();
    while (k > 0 && IsBlank(out[k - 1])) --k;
    char before = k == 0 ? '\0' : out[k - 1];
    if (k > 0 && IsExponentMark(out, k - 1) && k == out.size()) {
      out += c;
    } else if (k == 0 || std::string_view("+-=><&|,([\"").find(before) != std::string_view::npos) {
      out += '0';
      out += c;
    } else if (before == '*' || before == '/' || before == '^') {
      out += "(0";
      out += c;
      closeAt.push_back(OperandEnd(text, i + 1));
    } else {
      out += c;
    }
  }
  emitCloses(text.size());
  for (std::size_t k = 0; k < closeAt.size(); ++k) out += ')';
  return out;
}

bool ExpressionCompiler::CompileAssignment(std::string_view left, std::string_view right, int& resultSlot) {
  if (left.empty()) return Fail(Msg::kVariableNameMissing);
  for (char c : left)
    if (std::string_view("+-*/^<>&|!").find(c) != std::string_view::npos) return Fail(Msg::kOperatorBeforeAssignment);
  if (IsDigit(left.front()) || (left.front() == '.' && left.size() > 1 && IsDigit(left[1]))) {
    return Fail(Msg::kConstantBeforeAssignment);
  }
  std::size_t nameEnd = 0;
  while (nameEnd < left.size() && IsNameCharacter(left[nameEnd])) ++nameEnd;
  std::string name(left.substr(0, nameEnd));
  std::string_view after = TrimBlanks(left.substr(nameEnd));
  if (name.empty()) return Fail(Msg::kIllegalBeforeAssignment);
  if (!after.empty() && after.front() != '[') return Fail(Msg::kIllegalBeforeAssignment);
  bool indexed = !after.empty();

  enum class Target { kLocal, kNewLocal, kGlobal, kThrough } target = Target::kNewLocal;
  int index = -1;
  auto formal = block_.formalIndex_.find(FoldName(name));
  if (FindSystemVariable(name) >= 0) return Fail(Msg::kMayNotBeAssigned, QuotedName(name));
  bool arrayFormal = formal != block_.formalIndex_.end() && IsArrayFormal(block_.slot_.record.formalKinds[formal->second]);
  if (indexed && (arrayFormal || block_.tables_.arrays.Find(name) >= 0)) {
    // An element: its indices first, then the value.
    int access = 0;
    int value = 0;
    if (!ElementTarget(left, access) || !CompileValue(right, value)) return false;
    resultSlot = block_.NewTemporary();
    block_.Emit(OpCode::kArrayStore, resultSlot, access, value);
    return true;
  }
  if (formal != block_.formalIndex_.end()) {
    int kind = block_.slot_.record.formalKinds[formal->second];
    block_.formalUsed_[formal->second] = true;
    if (IsFunctionFormal(kind)) return Fail(Msg::kFunctionParameterBeforeAssignment, QuotedName(name));
    if (IsArrayFormal(kind)) return Fail(Msg::kArrayUsedIncorrectly, QuotedName(name));
    if (kind != kFormalVariable) return Fail(Msg::kMayNotBeAssigned, QuotedName(name));
    target = Target::kThrough;
    index = formal->second;
  } else if (FindBuiltin(name)) {
    return Fail(Msg::kBuiltinBeforeAssignment, QuotedName(name));
  } else if (block_.tables_.FindProgram(name, block_.slotIndex_) >= 0) {
    return Fail(Msg::kProgramBeforeAssignment, QuotedName(name));
  } else if (indexed) {
    return Fail(Msg::kUnknownArray, QuotedName(name));
  } else if ((index = block_.tables_.globals.Find(name)) >= 0) {
    target = Target::kGlobal;
  } else if ((index = block_.FindLocal(name)) >= 0) {
    target = Target::kLocal;
  } else if (CheckNameCharacters(name) != NameProblem::kNone) {
    return Fail(Msg::kIdentifierHasSeparators, QuotedName(name));
  }

  int value = 0;
  if (!CompileValue(right, value)) return false;
  auto& ops = block_.code_.operations;
  bool valueIsLastResult = ops.size() > firstOperation_ && ops.back().r == value && value >= block_.code_.formalCount &&
                           ops.back().code != OpCode::kReturn;
  switch (target) {
    case Target::kNewLocal:
      index = block_.CreateLocal(name);
      [[fallthrough]];
    case Target::kLocal:
      // The value's last operation writes straight into the variable.
      if (valueIsLastResult && value != index && block_.IsTemporary(value)) {
        ops.back().r = index;
      } else {
        block_.Emit(OpCode::kCopy, index, value);
      }
      block_.NoteAssignment(index);
      resultSlot = index;
      return true;
    case Target::kGlobal:
      resultSlot = block_.NewTemporary();
      block_.Emit(OpCode::kStoreGlobal, resultSlot, index, value);
      return true;
    case Target::kThrough:
      resultSlot = block_.NewTemporary();
      block_.Emit(OpCode::kStoreThrough, resultSlot, index, value);
      return true;
  }
  return true;
}

bool ExpressionCompiler::CompileValue(std::string_view text, int& resultSlot) {
  text_ = std::string(text);
  pos_ = 0;
  prev_ = Prev::kStart;
  if (!Scan()) return false;
  while (!stack_.empty()) {
    if (stack_.back().isGroup) return Fail(Msg::kMissingArguments);
    if (!PopOperator()) return false;
  }
  if (!groups_.empty()) return Fail(Msg::kMissingArguments);
  if (operands_.empty()) return Fail(Msg::kMissingOperands);
  if (operands_.size() > 1) return Fail(Msg::kTooManyOperands);
  resultSlot = operands_.back();
  return true;
}

char ExpressionCompiler::PeekNonBlank(std::size_t from) const {
  std::size_t i = SkipBlanks(from);
  return i < text_.size() ? text_[i] : '\0';
}

std::size_t ExpressionCompiler::SkipBlanks(std::size_t from) const {
  while (from < text_.size() && IsBlank(text_[from])) ++from;
  return from;
}

std::string ExpressionCompiler::ReadNameRun() {
  std::size_t start = pos_;
  while (pos_ < text_.size() && (IsNameCharacter(text_[pos_]) || IsBlank(text_[pos_]))) ++pos_;
  return std::string(TrimBlanks(std::string_view(text_).substr(start, pos_ - start)));
}

bool ExpressionCompiler::Scan() {
  while (true) {
    pos_ = SkipBlanks(pos_);
    if (pos_ >= text_.size()) return true;
    ArgKind kind;
    if (AtReferenceArgument(kind)) {
      bool handled = false;
      if (!ScanReferenceArgument(kind, handled)) return false;
      if (handled) continue;
    }
    char c = text_[pos_];
    bool ok = true;
    if (c == '"') {
      ok = ScanLiteral();
    } else if (IsDigit(c) || (c == '.' && pos_ + 1 < text_.size() && IsDigit(text_[pos_ + 1]))) {
      ok = ScanNumber();
    } else if (IsNameCharacter(c)) {
      ok = ScanName();
    } else if (c == '(') {
      ok = OpenParenthesis();
    } else if (c == ')') {
      ok = CloseParenthesis();
    } else if (c == ']') {
      ok = CloseBracket();
    } else if (c == ',') {
      ok = Comma();
    } else if (c == '[') {
      ok = Fail(Msg::kIncorrectSyntax);
    } else if (std::string_view("?:\\'%").find(c) != std::string_view::npos) {
      ok = Fail(Msg::kUnknownSeparator, c);
    } else if (std::string_view(".;{}").find(c) != std::string_view::npos) {
      ok = Fail(Msg::kMisplacedSeparator, c);
    } else {
      ok = ScanOperator();
    }
    if (!ok) return false;
  }
}

bool ExpressionCompiler::CheckOperandPosition(NameSort sort, bool isNumber, bool isParenthesis,
                                              const std::string& name) {
  switch (prev_) {
    case Prev::kCloseParen:
      if (isNumber) return Fail(Msg::kParenthesisBeforeNumber);
      if (isParenthesis) return Fail(Msg::kParenthesisBeforeLeftParenthesis);
      if (sort == NameSort::kBuiltin || sort == NameSort::kProgram || sort == NameSort::kFunctionFormal)
        return Fail(Msg::kParenthesisBeforeFunction);
      if (sort == NameSort::kArrayFormal || sort == NameSort::kArray) return Fail(Msg::kParenthesisBeforeArray);
      return Fail(Msg::kParenthesisBeforeName, QuotedName(name));
    case Prev::kOperand:
    case Prev::kCloseBracket:
      return Fail(isParenthesis ? Msg::kIncorrectSyntax : Msg::kTooManyOperands);
    case Prev::kLiteral:
      return Fail(Msg::kIllegalSequence);
    default:
      return true;
  }
}

bool ExpressionCompiler::ScanNumber() {
  std::size_t start = pos_;
  std::size_t i = pos_;
  while (i < text_.size() && IsDigit(text_[i])) ++i;
  if (i < text_.size() && text_[i] == '.') {
    ++i;
    while (i < text_.size() && IsDigit(text_[i])) ++i;
  }
  if (i < text_.size() && (text_[i] == 'e' || text_[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text_.size() && (text_[j] == '+' || text_[j] == '-')) ++j;
    if (j < text_.size() && IsDigit(text_[j])) {
      while (j < text_.size() && IsDigit(text_[j])) ++j;
      i = j;
    }
  }
  char next = PeekNonBlank(i);
  if (next != '\0' && std::string_view("+-/*^=<>&|,()[]!").find(next) == std::string_view::npos) {
    // Not a number: the whole run, decimal points included, is resolved as a
    // name, which cannot exist.
    pos_ = start;
    while (pos_ < text_.size() && (IsNameCharacter(text_[pos_]) || IsBlank(text_[pos_]) || text_[pos_] == '.')) ++pos_;
    std::string name(TrimBlanks(std::string_view(text_).substr(start, pos_ - start)));
    if (!CheckOperandPosition(NameSort::kUnknown, false, false, name)) return false;
    return Fail(Msg::kUnknownGluedIdentifier, name.front(), QuotedName(name.substr(1)));
  }
  if (!CheckOperandPosition(NameSort::kUnknown, true, false, "")) return false;
  double value = platform::ReadDecimal(text_.substr(start, i - start)).value;
  operands_.push_back(block_.ConstantSlot(value));
  pos_ = i;
  prev_ = Prev::kOperand;
  return true;
}

bool ExpressionCompiler::ScanLiteral() {
  if (groups_.empty() || !groups_.back().isText || groups_.back().kind != Group::Kind::kCall) {
    return Fail(Msg::kMisplacedSeparator, '"');
  }
  if (prev_ != Prev::kOpen && prev_ != Prev::kComma && prev_ != Prev::kLiteral) return Fail(Msg::kIllegalSequence);
  Group& group = groups_.back();
  ++pos_;
  while (pos_ < text_.size()) {
    char c = text_[pos_++];
    if (c == '"') {
      if (pos_ < text_.size() && text_[pos_] == '"') {
        group.piece += '"';
        ++pos_;
        continue;
      }
      break;
    }
    group.piece += c;
  }
  group.itemIsLiteral = true;
  prev_ = Prev::kLiteral;
  return true;
}

ExpressionCompiler::NameSort ExpressionCompiler::Classify(const std::string& name, bool followedByParenthesis) const {
  if (followedByParenthesis) {
    if (FindBuiltin(name)) return NameSort::kBuiltin;
  }
  auto formal = block_.formalIndex_.find(FoldName(name));
  if (formal != block_.formalIndex_.end()) {
    int kind = block_.slot_.record.formalKinds[formal->second];
    if (IsFunctionFormal(kind)) return NameSort::kFunctionFormal;
    if (IsArrayFormal(kind)) return NameSort::kArrayFormal;
    return NameSort::kVariable;
  }
  if (block_.tables_.arrays.Find(name) >= 0) return NameSort::kArray;
  if (FindBuiltin(name)) return NameSort::kBuiltin;
  if (block_.tables_.FindProgram(name, block_.slotIndex_) >= 0) return NameSort::kProgram;
  if (FindSystemVariable(name) >= 0 || block_.tables_.globals.Find(name) >= 0 || block_.FindLocal(name) >= 0)
    return NameSort::kVariable;
  return NameSort::kUnknown;
}

bool ExpressionCompiler::ScanName() {
  std::string name = ReadNameRun();
  char next = PeekNonBlank(pos_);
  NameSort sort = Classify(name, next == '(');
  if (!CheckOperandPosition(sort, false, false, name)) return false;
  if (next == '(') {
    pos_ = SkipBlanks(pos_) + 1;
    if (SameName(name, "loc")) {
      if (!groups_.empty() && groups_.back().kind == Group::Kind::kCall && (prev_ == Prev::kOpen || prev_ == Prev::kComma))
        return WrongArgument(groups_.back(), groups_.back().arguments);
      return Fail(Msg::kIncorrectSyntax);
    }
    switch (sort) {
      case NameSort::kBuiltin: return OpenCall(CalleeKind::kBuiltin, *FindBuiltin(name), name);
      case NameSort::kFunctionFormal:
        return OpenCall(CalleeKind::kFunctionFormal, block_.formalIndex_.at(FoldName(name)), name);
      case NameSort::kProgram: return OpenCall(CalleeKind::kProgram, block_.tables_.FindProgram(name, block_.slotIndex_), name);
      case NameSort::kArrayFormal:
      case NameSort::kArray: return Fail(Msg::kMissingLeftBracket, QuotedName(name));
      default: return Fail(Msg::kUnknownFunction, QuotedName(name));
    }
  }
  if (next == '[') {
    if (sort == NameSort::kArray || sort == NameSort::kArrayFormal) return OpenElement(name, false);
    return Fail(Msg::kUnknownArray, QuotedName(name));
  }
  switch (sort) {
    case NameSort::kBuiltin:
    case NameSort::kProgram:
    case NameSort::kFunctionFormal: return Fail(Msg::kMissingLeftParenthesis, QuotedName(name));
    case NameSort::kArrayFormal:
    case NameSort::kArray: return Fail(Msg::kMissingLeftBracket, QuotedName(name));
    case NameSort::kUnknown: return Fail(Msg::kUnknownIdentifier, QuotedName(name));
    case NameSort::kVariable: break;
  }
  if (!ReadVariable(name)) return false;
  prev_ = Prev::kOperand;
  return true;
}

bool ExpressionCompiler::ReadVariable(const std::string& name) {
  int system = FindSystemVariable(name);
  if (system >= 0) {
    int slot = block_.NewTemporary();
    block_.Emit(OpCode::kLoadSystem, slot, system);
    operands_.push_back(slot);
    return true;
  }
  auto formal = block_.formalIndex_.find(FoldName(name));
  if (formal != block_.formalIndex_.end()) {
    block_.formalUsed_[formal->second] = true;
    int kind = block_.slot_.record.formalKinds[formal->second];
    if (kind == kFormalVariable) {
      int slot = block_.NewTemporary();
      block_.Emit(OpCode::kLoadThrough, slot, formal->second);
      operands_.push_back(slot);
    } else {
      operands_.push_back(formal->second);
    }
    return true;
  }
  int global = block_.tables_.globals.Find(name);
  if (global >= 0) {
    int slot = block_.NewTemporary();
    block_.Emit(OpCode::kLoadGlobal, slot, global);
    operands_.push_back(slot);
    return true;
  }
  int local = block_.FindLocal(name);
  block_.NoteRead(local, line_);
  operands_.push_back(local);
  return true;
}

bool ExpressionCompiler::ScanOperator() {
  char c = text_[pos_];
  char next = pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0';
  OpCode op;
  std::size_t length = 1;
  switch (c) {
    case '+': op = OpCode::kAdd; break;
    case '-': op = OpCode::kSubtract; break;
    case '*': op = OpCode::kMultiply; break;
    case '/': op = OpCode::kDivide; break;
    case '^': op = OpCode::kPower; break;
    case '&': op = OpCode::kAnd; break;
    case '|': op = OpCode::kOr; break;
    case '>':
      op = next == '=' ? OpCode::kGreaterEqual : OpCode::kGreater;
      length = next == '=' ? 2 : 1;
      break;
    case '<':
      if (next == '=') {
        op = OpCode::kLessEqual;
        length = 2;
      } else if (next == '>') {
        op = OpCode::kNotEqual;
        length = 2;
      } else {
        op = OpCode::kLess;
      }
      break;
    case '=':
      if (next != '=') return Fail(Msg::kTwoAssignments);
      op = OpCode::kEqual;
      length = 2;
      break;
    case '!':
      if (next != '=') return Fail(Msg::kIncorrectExclamation);
      op = OpCode::kNotEqual;
      length = 2;
      break;
    default: return Fail(Msg::kIncorrectSyntax);
  }
  if (prev_ != Prev::kOperand && prev_ != Prev::kCloseParen && prev_ != Prev::kCloseBracket)
    return Fail(Msg::kIllegalSequence);
  pos_ += length;
  prev_ = Prev::kOperator;
  return PushOperator(Precedence(op), op);
}

bool ExpressionCompiler::PushOperator(int precedence, OpCode op) {
  while (!stack_.empty() && !stack_.back().isGroup && stack_.back().precedence >= precedence) {
    if (!PopOperator()) return false;
  }
  stack_.push_back({false, precedence, op});
  return true;
}

bool ExpressionCompiler::PopOperator() {
  StackEntry entry = stack_.back();
  stack_.pop_back();
  std::size_t base = groups_.empty() ? 0 : groups_.back().operandBase + (groups_.back().isText ? 0 : groups_.back().arguments);
  if (operands_.size() < base + 2) return Fail(Msg::kMissingOperands);
  int b = operands_.back();
  operands_.pop_back();
  int a = operands_.back();
  operands_.pop_back();
  int result = block_.NewTemporary();
  block_.Emit(entry.op, result, a, b);
  operands_.push_back(result);
  return true;
}

bool ExpressionCompiler::PopToGroup() {
  while (!stack_.empty() && !stack_.back().isGroup) {
    if (!PopOperator()) return false;
  }
  return true;
}

bool ExpressionCompiler::OpenParenthesis() {
  if (!CheckOperandPosition(NameSort::kUnknown, false, true, "")) return false;
  ++pos_;
  Group group;
  group.kind = Group::Kind::kParen;
  group.operandBase = operands_.size();
  groups_.push_back(std::move(group));
  stack_.push_back({true, 0, OpCode::kAdd});
  prev_ = Prev::kOpen;
  return true;
}

}  // namespace tessarin::engine
