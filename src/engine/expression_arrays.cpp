#include "engine/expression_compiler.h"
#include "engine/names.h"

// Array elements in expressions, element targets of assignments, and the
// references to arrays and array parts that loc gives.

namespace tessarin::engine {

bool ExpressionCompiler::OpenElement(const std::string& name, bool reference) {
  Group group;
  group.kind = Group::Kind::kIndex;
  group.name = name;
  group.reference = reference;
  group.operandBase = operands_.size();
  auto formal = block_.formalIndex_.find(FoldName(name));
  if (formal != block_.formalIndex_.end()) {
    block_.formalUsed_[formal->second] = true;
    group.access.formal = formal->second;
    group.dimensions = block_.slot_.record.formalKinds[formal->second] - kFormalFirstArray + 1;
    group.access.formalDimensions = group.dimensions;
  } else {
    group.access.array = block_.tables_.arrays.Find(name);
    group.dimensions = block_.tables_.arrays.at(group.access.array).dimensions;
  }
  pos_ = SkipBlanks(pos_) + 1;  // past '['
  groups_.push_back(std::move(group));
  stack_.push_back({true, 0, OpCode::kAdd});
  prev_ = Prev::kOpen;
  return true;
}

bool ExpressionCompiler::CloseBracket() {
  if (prev_ == Prev::kOperator || prev_ == Prev::kComma) return Fail(Msg::kIllegalSequence);
  if (!PopToGroup()) return false;
  if (groups_.empty() || groups_.back().kind != Group::Kind::kIndex) return Fail(Msg::kIncorrectParenthesesOrComma);
  Group group = std::move(groups_.back());
  groups_.pop_back();
  stack_.pop_back();
  ++pos_;
  if (prev_ == Prev::kOpen) return Fail(Msg::kTooFewIndices, QuotedName(group.name));
  if (!FinishArgument(group)) return false;
  // Inside loc an index list may stop before the last dimension.
  if (group.arguments > group.dimensions) return Fail(Msg::kTooManyIndices, QuotedName(group.name));
  if (group.arguments < group.dimensions && !group.reference) return Fail(Msg::kTooFewIndices, QuotedName(group.name));
  group.access.indices.assign(operands_.end() - group.arguments, operands_.end());
  operands_.resize(operands_.size() - group.arguments);
  block_.code_.elementAccesses.push_back(std::move(group.access));
  int access = static_cast<int>(block_.code_.elementAccesses.size()) - 1;
  int result = block_.NewTemporary();
  if (!group.reference) {
    block_.Emit(OpCode::kArrayLoad, result, access);
    operands_.push_back(result);
    prev_ = Prev::kCloseBracket;
    return true;
  }
  // The closing parenthesis of loc.
  if (PeekNonBlank(pos_) != ')') return Fail(Msg::kArrayAddressMissingParenthesis);
  pos_ = SkipBlanks(pos_) + 1;
  char after = PeekNonBlank(pos_);
  if (after != ',' && after != ')') return WrongArgument(groups_.back(), groups_.back().arguments);
  block_.Emit(OpCode::kArrayReference, result, access);
  operands_.push_back(result);
  prev_ = Prev::kOperand;
  return true;
}

int ExpressionCompiler::ReferenceToWholeArray(const std::string& name) {
  ElementAccess access;
  access.array = block_.tables_.arrays.Find(name);
  block_.code_.elementAccesses.push_back(std::move(access));
  int result = block_.NewTemporary();
  block_.Emit(OpCode::kArrayReference, result, static_cast<int>(block_.code_.elementAccesses.size()) - 1);
  return result;
}

bool ExpressionCompiler::ElementTarget(std::string_view left, int& access) {
  int slot = 0;
  if (!CompileValue(left, slot)) return false;
  auto& ops = block_.code_.operations;
  if (ops.empty() || ops.back().code != OpCode::kArrayLoad || ops.back().r != slot)
    return Fail(Msg::kIllegalBeforeAssignment);
  access = ops.back().a;
  ops.pop_back();
  block_.code_.operationLines.pop_back();
  operands_.clear();  // the value is compiled next, from an empty stack
  return true;
}

}  // namespace tessarin::engine
