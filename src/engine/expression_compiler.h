#pragma once
// Compiles the expression of one statement (an assignment or a plain
// expression, or the condition of if, while and for) into operations of the
// block, with every diagnostic of the token scan. Calls and their arguments
// are in expression_calls.cpp.

#include <string>
#include <string_view>
#include <vector>

#include "engine/block_compiler.h"
#include "engine/messages.h"

namespace tessarin::engine {

class ExpressionCompiler {
 public:
  ExpressionCompiler(BlockCompiler& block, int line) : block_(block), line_(line) {}
  // On success the slot holding the statement's value is in resultSlot.
  [[nodiscard]] bool Compile(std::string_view text, bool isCondition, int& resultSlot);

 private:
  enum class Prev { kStart, kOperand, kCloseParen, kCloseBracket, kOperator, kOpen, kComma, kLiteral };
  enum class CalleeKind { kBuiltin, kProgram, kFunctionFormal };
  struct Group {
    enum class Kind { kParen, kCall, kIndex } kind = Kind::kParen;
    CalleeKind callee = CalleeKind::kBuiltin;
    int target = 0;  // builtin number, program slot or formal index
    std::string name;
    std::size_t operandBase = 0;
    int arguments = 0;  // finished arguments
    bool isText = false;
    TextCall text;
    std::string piece;  // literal text gathered since the last value
    bool itemIsLiteral = false;
    // Integration-type calls: the jump over the expression and where the
    // point is stored.
    int integrandJump = -1;
    IntegrationCall integration;
    // Index groups: the element or part (inside loc) of an array.
    ElementAccess access;
    int dimensions = 0;
    bool reference = false;
  };
  struct StackEntry {
    bool isGroup = false;
    int precedence = 0;
    OpCode op = OpCode::kAdd;
  };
  enum class NameSort { kUnknown, kBuiltin, kProgram, kFunctionFormal, kArrayFormal, kArray, kVariable };

  bool Fail(Msg id) { return block_.Fail(id, line_); }
  template <typename... Args>
  bool Fail(Msg id, const Args&... args) {
    return block_.FailText(Format(id, args...), line_);
  }

  [[nodiscard]] bool CheckCharacters(std::string_view text, bool hasAssignment);
  [[nodiscard]] bool CheckBalance(std::string_view text);
  std::string InsertSignZeros(std::string_view text);
  [[nodiscard]] bool CompileAssignment(std::string_view left, std::string_view right, int& resultSlot);
  [[nodiscard]] bool CompileValue(std::string_view text, int& resultSlot);

  [[nodiscard]] bool Scan();
  [[nodiscard]] bool ScanNumber();
  [[nodiscard]] bool ScanName();
  [[nodiscard]] bool ScanLiteral();
  [[nodiscard]] bool ScanOperator();
  [[nodiscard]] bool OpenParenthesis();
  [[nodiscard]] bool CloseParenthesis();
  [[nodiscard]] bool Comma();
  [[nodiscard]] bool CheckOperandPosition(NameSort sort, bool isNumber, bool isParenthesis, const std::string& name);
  [[nodiscard]] bool PushOperator(int precedence, OpCode op);
  [[nodiscard]] bool PopOperator();
  [[nodiscard]] bool PopToGroup();
  [[nodiscard]] bool FinishArgument(Group& group);
  [[nodiscard]] bool FinishCall(Group& group);
  [[nodiscard]] bool OpenCall(CalleeKind callee, int target, const std::string& name);
  [[nodiscard]] bool AtReferenceArgument(ArgKind& kind);
  ArgKind ExpectedKind(const Group& group, int argument) const;
  [[nodiscard]] bool ScanReferenceArgument(ArgKind kind, bool& handled);
  [[nodiscard]] bool ScanBoundVariable();
  [[nodiscard]] bool WrongArgument(const Group& group, int argument);
  [[nodiscard]] bool ReadVariable(const std::string& name);
  void PreCreateBoundVariable();
  void NoteBoundTarget(const std::string& name);
  // Arrays (expression_arrays.cpp).
  [[nodiscard]] bool OpenElement(const std::string& name, bool reference);
  [[nodiscard]] bool CloseBracket();
  int ReferenceToWholeArray(const std::string& name);
  [[nodiscard]] bool ElementTarget(std::string_view left, int& access);
  [[nodiscard]] bool FinishIntegrand(Group& group);
  NameSort Classify(const std::string& name, bool followedByParenthesis) const;
  char PeekNonBlank(std::size_t from) const;
  std::size_t SkipBlanks(std::size_t from) const;
  std::string ReadNameRun();

  BlockCompiler& block_;
  int line_;
  std::string text_;
  std::size_t pos_ = 0;
  Prev prev_ = Prev::kStart;
  std::vector<int> operands_;
  std::vector<StackEntry> stack_;
  std::vector<Group> groups_;
  int textFunctions_ = 0;
  std::size_t firstOperation_ = 0;
};

}  // namespace tessarin::engine
