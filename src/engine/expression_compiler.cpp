#include "engine/expression_compiler.h"

#include <charconv>
#include <cstdlib>

#include "engine/names.h"
#include "engine/references.h"

namespace tessarin::engine {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// '&' is no separator of names, but the scanner reads it as an operator.
bool IsNameCharacter(char c) { return !IsSeparator(c) && !IsBlank(c) && c != '&' && c != '\r' && c != '\n'; }
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

std::string TextFunctionNames() {
  const auto& table = BuiltinTable();
  std::string names[10];
  for (int i = 0; i < 10; ++i) names[i] = std::string(table[builtin::kDir + i].name);
  return Format(kTextFunctionTwice, names[0], names[1], names[2], names[3], names[4], names[5], names[6], names[7],
                names[8], names[9]);
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
      if (sort == NameSort::kArrayFormal) return Fail(Msg::kParenthesisBeforeArray);
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
    // Not a number: the whole run is resolved as a name, which cannot exist.
    pos_ = start;
    std::string name = ReadNameRun();
    if (!CheckOperandPosition(NameSort::kUnknown, false, false, name)) return false;
    return Fail(Msg::kUnknownGluedIdentifier, name.front(), QuotedName(name.substr(1)));
  }
  if (!CheckOperandPosition(NameSort::kUnknown, true, false, "")) return false;
  double value = std::strtod(std::string(text_.substr(start, i - start)).c_str(), nullptr);
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
      case NameSort::kArrayFormal: return Fail(Msg::kMissingLeftBracket, QuotedName(name));
      default: return Fail(Msg::kUnknownFunction, QuotedName(name));
    }
  }
  if (next == '[') {
    // Array elements need the array table, which holds no arrays yet.
    return Fail(Msg::kUnknownArray, QuotedName(name));
  }
  switch (sort) {
    case NameSort::kBuiltin:
    case NameSort::kProgram:
    case NameSort::kFunctionFormal: return Fail(Msg::kMissingLeftParenthesis, QuotedName(name));
    case NameSort::kArrayFormal: return Fail(Msg::kMissingLeftBracket, QuotedName(name));
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

bool ExpressionCompiler::OpenCall(CalleeKind callee, int target, const std::string& name) {
  Group group;
  group.kind = Group::Kind::kCall;
  group.callee = callee;
  group.target = target;
  group.name = name;
  group.operandBase = operands_.size();
  if (callee == CalleeKind::kBuiltin) {
    const Builtin& entry = BuiltinTable()[target];
    group.isText = entry.group == BuiltinGroup::kText;
    if (group.isText && ++textFunctions_ > 1) return block_.FailText(TextFunctionNames(), line_);
    group.text.builtin = target;
    if (entry.integrationType) PreCreateBoundVariable();
  } else if (callee == CalleeKind::kProgram) {
    const ProgramRecord& record = block_.tables_.slots[target]->record;
    if (target != block_.slotIndex_ && record.status >= kStatusSyntaxError)
      return Fail(Msg::kErrorsInProgram, QuotedName(record.name));
  } else {
    block_.formalUsed_[target] = true;
  }
  groups_.push_back(std::move(group));
  stack_.push_back({true, 0, OpCode::kAdd});
  prev_ = Prev::kOpen;
  return true;
}

void ExpressionCompiler::PreCreateBoundVariable() {
  // The expression of an integration-type function names its running
  // variable before the argument that declares it, so a new name is created
  // first.
  int depth = 0;
  int commas = 0;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = pos_; i < text_.size(); ++i) {
    char c = text_[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '(' || c == '[') ++depth;
    if ((c == ')' || c == ']') && depth-- == 0) break;
    if (c == ',' && depth == 0) {
      if (++commas == 1) {
        start = i + 1;
      } else {
        std::string name(TrimBlanks(std::string_view(text_).substr(start, i - start)));
        if (CheckNameCharacters(name) == NameProblem::kNone && name.find_first_of(" \t") == std::string::npos &&
            Classify(name, false) == NameSort::kUnknown)
          block_.CreateLocal(name);
        return;
      }
    }
  }
}

ArgKind ExpressionCompiler::ExpectedKind(const Group& group, int argument) const {
  switch (group.callee) {
    case CalleeKind::kBuiltin: {
      const Builtin& entry = BuiltinTable()[group.target];
      if (entry.group == BuiltinGroup::kText || argument >= entry.arity) return ArgKind::kValue;
      return entry.kinds[argument];
    }
    case CalleeKind::kProgram: {
      const ProgramRecord& record = block_.tables_.slots[group.target]->record;
      if (argument >= static_cast<int>(record.formalKinds.size())) return ArgKind::kValue;
      int kind = record.formalKinds[argument];
      if (kind == kFormalVariable) return ArgKind::kVariableReference;
      if (IsArrayFormal(kind)) return ArgKind::kArrayReference;
      if (IsFunctionFormal(kind)) return ArgKind::kFunctionReference;
      return ArgKind::kValue;
    }
    case CalleeKind::kFunctionFormal: {
      std::vector<int> codes = FunctionFormalArguments(block_.slot_.record.formalKinds[group.target]);
      if (argument >= static_cast<int>(codes.size())) return ArgKind::kValue;
      if (codes[argument] == 1) return ArgKind::kVariableReference;
      if (codes[argument] >= 2) return ArgKind::kArrayReference;
      return ArgKind::kValue;
    }
  }
  return ArgKind::kValue;
}

bool ExpressionCompiler::AtReferenceArgument(ArgKind& kind) {
  if (groups_.empty() || groups_.back().kind != Group::Kind::kCall) return false;
  if (prev_ != Prev::kOpen && prev_ != Prev::kComma) return false;
  kind = ExpectedKind(groups_.back(), groups_.back().arguments);
  return kind != ArgKind::kValue;
}

bool ExpressionCompiler::WrongArgument(const Group& group, int argument) {
  switch (group.callee) {
    case CalleeKind::kBuiltin: return Fail(Msg::kWrongArgumentBuiltin, QuotedName(group.name), argument + 1);
    case CalleeKind::kProgram: return Fail(Msg::kWrongArgumentSubroutine, QuotedName(group.name), argument + 1);
    case CalleeKind::kFunctionFormal: return Fail(Msg::kWrongArgumentFunction, QuotedName(group.name), argument + 1);
  }
  return false;
}

bool ExpressionCompiler::ScanBoundVariable() {
  Group& group = groups_.back();
  int argumentNumber = group.arguments + 1;
  std::size_t start = pos_;
  int depth = 0;
  std::size_t end = pos_;
  for (; end < text_.size(); ++end) {
    char c = text_[end];
    if (c == '(' || c == '[') ++depth;
    if ((c == ')' || c == ']') && depth-- == 0) break;
    if (c == ',' && depth == 0) break;
  }
  std::string name(TrimBlanks(std::string_view(text_).substr(start, end - start)));
  std::string folded = FoldName(group.name);
  std::string function = QuotedName(group.name);
  if (!name.empty() && (IsDigit(name.front()) || name.front() == '.')) {
    char* parsedEnd = nullptr;
    std::strtod(name.c_str(), &parsedEnd);
    if (parsedEnd == name.c_str() + name.size()) return Fail(Msg::kBoundConstant, argumentNumber, function);
  }
  if (name.empty() || CheckNameCharacters(name) != NameProblem::kNone || name.find_first_of(" \t") != std::string::npos)
    return Fail(Msg::kBoundExpression, argumentNumber, function);
  if (FindSystemVariable(name) >= 0) return Fail(Msg::kBoundSystemVariable, QuotedName(name), argumentNumber, function);
  auto formal = block_.formalIndex_.find(FoldName(name));
  if (formal != block_.formalIndex_.end() && block_.slot_.record.formalKinds[formal->second] != kFormalVariable)
    return Fail(Msg::kBoundReadOnly, argumentNumber, function);
  NameSort sort = Classify(name, false);
  if (sort != NameSort::kVariable && sort != NameSort::kUnknown) return Fail(Msg::kBoundExpression, argumentNumber, function);
  if (sort == NameSort::kUnknown) block_.CreateLocal(name);
  pos_ = end;
  if (!ReadVariable(name)) return false;
  prev_ = Prev::kOperand;
  return true;
}

bool ExpressionCompiler::ScanReferenceArgument(ArgKind kind, bool& handled) {
  handled = true;
  if (kind == ArgKind::kBoundVariable) return ScanBoundVariable();
  Group& group = groups_.back();
  int argument = group.arguments;
  std::size_t start = pos_;
  std::string head = ReadNameRun();
  if (!SameName(head, "loc") || PeekNonBlank(pos_) != '(') {
    pos_ = start;
    if (kind == ArgKind::kValueOrReference) {
      handled = false;
      return true;
    }
    return WrongArgument(group, argument);
  }
  pos_ = SkipBlanks(pos_) + 1;
  pos_ = SkipBlanks(pos_);
  if (pos_ < text_.size() && (IsDigit(text_[pos_]) || text_[pos_] == '.')) return Fail(Msg::kLocConstant);
  std::string name = ReadNameRun();
  char next = PeekNonBlank(pos_);
  if (name.empty()) return Fail(Msg::kLocExpression);
  if (SameName(name, "loc")) return Fail(Msg::kLocOfLoc);
  NameSort sort = Classify(name, false);
  bool isFunction = sort == NameSort::kBuiltin || sort == NameSort::kProgram || sort == NameSort::kFunctionFormal;
  if (next != ')') {
    if (isFunction) return Fail(Msg::kLocFunctionNotClosed, QuotedName(name));
    if (next == '[') return Fail(Msg::kUnknownArray, QuotedName(name));
    return Fail(Msg::kLocExpression);
  }
  pos_ = SkipBlanks(pos_) + 1;
  char after = PeekNonBlank(pos_);
  if (after != ',' && after != ')') return WrongArgument(group, argument);

  int result = block_.NewTemporary();
  auto formal = block_.formalIndex_.find(FoldName(name));
  if (FindSystemVariable(name) >= 0) return Fail(Msg::kLocSystemVariable, QuotedName(name));
  if (formal != block_.formalIndex_.end()) {
    int formalKind = block_.slot_.record.formalKinds[formal->second];
    block_.formalUsed_[formal->second] = true;
    if (formalKind == kFormalValue) return Fail(Msg::kLocReadOnly, QuotedName(name));
    bool fits = (formalKind == kFormalVariable &&
                 (kind == ArgKind::kVariableReference || kind == ArgKind::kValueOrReference)) ||
                (IsArrayFormal(formalKind) && (kind == ArgKind::kArrayReference || kind == ArgKind::kMatrixReference)) ||
                (IsFunctionFormal(formalKind) && kind == ArgKind::kFunctionReference);
    if (!fits) return WrongArgument(group, argument);
    if (IsFunctionFormal(formalKind) && group.callee == CalleeKind::kProgram) {
      int expected = block_.tables_.slots[group.target]->record.formalKinds[argument];
      if (expected != formalKind) return WrongArgument(group, argument);
    }
    // The formal already holds the caller's reference; pass it on.
    block_.Emit(OpCode::kCopy, result, formal->second);
  } else if (sort == NameSort::kProgram) {
    if (kind != ArgKind::kFunctionReference) return WrongArgument(group, argument);
    int program = block_.tables_.FindProgram(name, block_.slotIndex_);
    const ProgramRecord& passed = block_.tables_.slots[program]->record;
    int expected = group.callee == CalleeKind::kProgram
                       ? block_.tables_.slots[group.target]->record.formalKinds[argument]
                       : -1;
    std::vector<int> codes;
    for (int passedKind : passed.formalKinds) {
      if (passedKind == kFormalValue || passedKind == kFormalVariable) {
        codes.push_back(passedKind);
      } else if (passedKind == kFormalFirstArray || passedKind == kFormalFirstArray + 1) {
        codes.push_back(passedKind);
      } else {
        return WrongArgument(group, argument);
      }
    }
    if (codes.size() > 3 || (expected >= 0 && FunctionFormalKind(codes) != expected))
      return WrongArgument(group, argument);
    block_.Emit(OpCode::kReference, result, int(ReferenceKind::kFunction), program);
  } else if (sort == NameSort::kBuiltin) {
    return WrongArgument(group, argument);
  } else {
    if (kind != ArgKind::kVariableReference && kind != ArgKind::kValueOrReference) return WrongArgument(group, argument);
    int global = block_.tables_.globals.Find(name);
    if (global >= 0) {
      block_.Emit(OpCode::kReference, result, int(ReferenceKind::kGlobal), global);
    } else {
      int local = block_.FindLocal(name);
      if (local < 0) {
        if (CheckNameCharacters(name) != NameProblem::kNone || name.find_first_of(" \t") != std::string::npos)
          return Fail(Msg::kIdentifierHasSeparators, QuotedName(name));
        local = block_.CreateLocal(name);
      }
      block_.NoteAssignment(local);
      block_.Emit(OpCode::kReference, result, int(ReferenceKind::kFrameVariable), local);
    }
  }
  operands_.push_back(result);
  prev_ = Prev::kOperand;
  return true;
}

bool ExpressionCompiler::Comma() {
  if (prev_ == Prev::kOperator || prev_ == Prev::kOpen || prev_ == Prev::kComma) return Fail(Msg::kIllegalSequence);
  if (!PopToGroup()) return false;
  if (groups_.empty() || groups_.back().kind == Group::Kind::kParen) return Fail(Msg::kIncorrectComma);
  Group& group = groups_.back();
  if (!FinishArgument(group)) return false;
  ++pos_;
  prev_ = Prev::kComma;
  return true;
}

bool ExpressionCompiler::FinishArgument(Group& group) {
  if (group.isText) {
    if (group.itemIsLiteral) {
      group.itemIsLiteral = false;
      if (operands_.size() != group.operandBase) return Fail(Msg::kIllegalSequence);
      return true;
    }
    if (operands_.size() != group.operandBase + 1)
      return Fail(operands_.size() > group.operandBase + 1 ? Msg::kTooManyOperands : Msg::kMissingArguments);
    group.text.pieces.push_back(group.piece);
    group.piece.clear();
    group.text.values.push_back(operands_.back());
    operands_.pop_back();
    return true;
  }
  std::size_t expected = group.operandBase + group.arguments + 1;
  if (operands_.size() != expected)
    return Fail(operands_.size() > expected ? Msg::kTooManyOperands : Msg::kMissingArguments);
  ++group.arguments;
  return true;
}

bool ExpressionCompiler::CloseParenthesis() {
  if (prev_ == Prev::kOperator || prev_ == Prev::kComma) return Fail(Msg::kIllegalSequence);
  if (!PopToGroup()) return false;
  if (groups_.empty() || groups_.back().kind == Group::Kind::kIndex) return Fail(Msg::kIncorrectParenthesesOrComma);
  Group group = std::move(groups_.back());
  groups_.pop_back();
  stack_.pop_back();
  ++pos_;
  if (group.kind == Group::Kind::kParen) {
    if (prev_ == Prev::kOpen) return Fail(Msg::kIncorrectParentheses);
    if (operands_.size() != group.operandBase + 1)
      return Fail(operands_.size() > group.operandBase + 1 ? Msg::kTooManyOperands : Msg::kMissingOperands);
    prev_ = Prev::kCloseParen;
    return true;
  }
  if (prev_ != Prev::kOpen && !FinishArgument(group)) return false;
  if (!FinishCall(group)) return false;
  prev_ = Prev::kCloseParen;
  return true;
}

bool ExpressionCompiler::CloseBracket() { return Fail(Msg::kIncorrectParenthesesOrComma); }

bool ExpressionCompiler::FinishCall(Group& group) {
  int result = block_.NewTemporary();
  auto arguments = [&](int count) {
    std::vector<int> values(operands_.end() - count, operands_.end());
    operands_.resize(operands_.size() - count);
    return values;
  };
  auto checkArity = [&](int arity) {
    if (group.arguments < arity) return Fail(Msg::kTooFewArguments, QuotedName(group.name));
    if (group.arguments > arity) return Fail(Msg::kTooManyArguments, QuotedName(group.name));
    return true;
  };
  auto& pool = block_.code_.argumentPool;
  if (group.callee == CalleeKind::kBuiltin) {
    const Builtin& entry = BuiltinTable()[group.target];
    if (group.isText) {
      group.text.pieces.push_back(group.piece);
      block_.code_.textCalls.push_back(std::move(group.text));
      block_.Emit(OpCode::kText, result, static_cast<int>(block_.code_.textCalls.size()) - 1);
    } else {
      if (!checkArity(entry.arity)) return false;
      std::vector<int> values = arguments(entry.arity);
      if (!entry.available) {
        block_.Emit(OpCode::kUnavailable, result, 0, 0, group.target);
      } else if (group.target == builtin::kReturn) {
        block_.Emit(OpCode::kReturn, result, values[0]);
      } else if (group.target == builtin::kIndirect) {
        block_.Emit(OpCode::kIndirect, result, values[0], 0, group.target);
      } else if (entry.arity <= 1) {
        block_.Emit(OpCode::kSimple1, result, entry.arity ? values[0] : 0, 0, group.target);
      } else if (entry.arity == 2) {
        block_.Emit(OpCode::kSimple2, result, values[0], values[1], group.target);
      } else {
        int offset = static_cast<int>(pool.size());
        pool.insert(pool.end(), values.begin(), values.end());
        block_.Emit(OpCode::kSimple3, result, offset, 0, group.target);
      }
    }
  } else {
    int arity = group.callee == CalleeKind::kProgram
                    ? static_cast<int>(block_.tables_.slots[group.target]->record.formalKinds.size())
                    : FunctionFormalArity(block_.slot_.record.formalKinds[group.target]);
    if (!checkArity(arity)) return false;
    std::vector<int> values = arguments(arity);
    int offset = static_cast<int>(pool.size());
    pool.insert(pool.end(), values.begin(), values.end());
    block_.Emit(group.callee == CalleeKind::kProgram ? OpCode::kCallProgram : OpCode::kCallFunctionFormal, result,
                offset, arity, group.target);
  }
  operands_.push_back(result);
  return true;
}

}  // namespace tessarin::engine
