
#include "engine/expression_compiler.h"
#include "engine/names.h"
#include "engine/references.h"
#include "platform/decimal_number.h"

// Calls: arguments, their kinds, loc references and the operations of the
// call itself.

namespace tessarin::engine {
namespace {

std::string TextFunctionNames() {
  const auto& table = BuiltinTable();
  std::string names[10];
  for (int i = 0; i < 10; ++i) names[i] = std::string(table[builtin::kDir + i].name);
  return Format(kTextFunctionTwice, names[0], names[1], names[2], names[3], names[4], names[5], names[6], names[7],
                names[8], names[9]);
}

}  // namespace

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
    if (entry.integrationType) {
      // Normal flow jumps over the expression; it runs once per point.
      group.integrandJump = block_.Emit(OpCode::kJump, 0, 0, 0, 0);
      group.integration.builtin = target;
      group.integration.expressionStart = static_cast<std::int32_t>(block_.code_.operations.size());
    }
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
  if (!name.empty() && (IsDigit(name.front()) || name.front() == '.') &&
      platform::ReadDecimal(name).length == name.size())
    return Fail(Msg::kBoundConstant, argumentNumber, function);
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
  NoteBoundTarget(name);
  prev_ = Prev::kOperand;
  return true;
}

void ExpressionCompiler::NoteBoundTarget(const std::string& name) {
  IntegrationCall& call = groups_.back().integration;
  auto formal = block_.formalIndex_.find(FoldName(name));
  int global = block_.tables_.globals.Find(name);
  if (formal != block_.formalIndex_.end()) {
    call.boundTarget = BoundTarget::kThrough;
    call.boundIndex = formal->second;
  } else if (global >= 0) {
    call.boundTarget = BoundTarget::kGlobal;
    call.boundIndex = global;
  } else {
    call.boundTarget = BoundTarget::kLocal;
    call.boundIndex = block_.FindLocal(name);
  }
}

bool ExpressionCompiler::FinishIntegrand(Group& group) {
  block_.Emit(OpCode::kIntegrandEnd, 0, operands_.back());
  group.integration.expressionEnd = static_cast<std::int32_t>(block_.code_.operations.size()) - 1;
  block_.PatchJump(group.integrandJump);
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
  bool isArray = sort == NameSort::kArray || sort == NameSort::kArrayFormal;
  bool takesArray = kind == ArgKind::kArrayReference || kind == ArgKind::kMatrixReference ||
                    kind == ArgKind::kValueOrReference;
  if (isArray && next == '[') {
    if (!takesArray) return WrongArgument(group, argument);
    pos_ = SkipBlanks(pos_);
    return OpenElement(name, true);
  }
  if (sort == NameSort::kArray) {
    if (next != ')') return Fail(Msg::kLocExpression);
    pos_ = SkipBlanks(pos_) + 1;
    char after = PeekNonBlank(pos_);
    if (!takesArray || (after != ',' && after != ')')) return WrongArgument(group, argument);
    operands_.push_back(ReferenceToWholeArray(name));
    prev_ = Prev::kOperand;
    return true;
  }
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
    if (program != block_.slotIndex_ && passed.status >= kStatusSyntaxError)
      return Fail(Msg::kErrorsInProgram, QuotedName(passed.name));
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
  if (group.integrandJump >= 0 && group.arguments == 0 && !FinishIntegrand(group)) return false;
  ++group.arguments;
  return true;
}

bool ExpressionCompiler::CloseParenthesis() {
  if (prev_ == Prev::kOperator || prev_ == Prev::kComma) return Fail(Msg::kIllegalSequence);
  if (!PopToGroup()) return false;
  if (groups_.empty()) return Fail(Msg::kIncorrectParenthesesOrComma);
  if (groups_.back().kind == Group::Kind::kIndex) return Fail(Msg::kMismatchedParenthesesOrBrackets);
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
      if (entry.integrationType) {
        group.integration.arguments = values;
        block_.code_.integrationCalls.push_back(std::move(group.integration));
        block_.Emit(OpCode::kIntegrate, result, static_cast<int>(block_.code_.integrationCalls.size()) - 1);
      } else if (group.target == builtin::kSrand2 || group.target == builtin::kRand2) {
        block_.Emit(OpCode::kRanmar, result, values[0], 0, group.target);
      } else if ((group.target >= builtin::kInvert && group.target <= builtin::kSize2) ||
                 group.target >= builtin::kFind) {
        int offset = static_cast<int>(pool.size());
        pool.insert(pool.end(), values.begin(), values.end());
        block_.Emit(OpCode::kArrayBuiltin, result, offset, 0, group.target);
      } else if (group.target == builtin::kFcloseW || group.target == builtin::kFcloseR ||
                 group.target == builtin::kSkipLines) {
        block_.Emit(OpCode::kFileFunction, result, entry.arity ? values[0] : 0, 0, group.target);
      } else if (group.target == builtin::kReturn) {
        block_.Emit(OpCode::kReturn, result, values[0]);
      } else if (group.target == builtin::kIndirect) {
        block_.Emit(OpCode::kIndirect, result, values[0], 0, group.target);
      } else if (group.target == builtin::kMemcpy) {
        int offset = static_cast<int>(pool.size());
        pool.insert(pool.end(), values.begin(), values.end());
        block_.Emit(OpCode::kCopyBytes, result, offset, 0, group.target);
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
