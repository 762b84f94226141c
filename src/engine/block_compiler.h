#pragma once
// Compiles the text of one PROGRAM, SUBROUTINE or PARAMETERS block into its
// operation list: statements and control flow (statement_compiler.cpp) and
// the expression of each statement (expression_compiler.cpp).

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/builtins.h"
#include "engine/messages.h"
#include "engine/engine_tables.h"
#include "engine/program.h"

namespace tessarin::engine {

// How deeply if, while, for and braced groups may nest (an else-if chain
// counts as one level).
inline constexpr int kMaxStatementNesting = 256;

struct [[nodiscard]] BlockCompileResult {
  bool ok = false;
  std::string message;
  int line = -1;
  bool warning = false;
  int lastLine = 0;  // the block's last line with code, where block warnings go
};

class BlockCompiler {
 public:
  BlockCompiler(EngineTables& tables, int slotIndex);
  // Compiles lines firstLine.. of the block text; the results go into the
  // slot's CompiledProgram, the status into the returned result.
  BlockCompileResult Compile(std::string_view blockText, int firstLine);
  // Names of the local variables the block created, in order.
  const std::vector<std::string>& LocalNames() const { return localNames_; }

 private:
  struct Piece {
    std::string text;
    char terminator = '\n';  // ';', '{', '}' or '\n' (end of the line)
    int line = 0;
    bool braceLastOnLine = true;  // for '}': nothing but blanks (or else) follows
  };
  struct StatementShape {
    bool isStatement = false;  // false for an empty statement
    bool mayBeUndefined = false;
    bool closesBlock = false;  // the piece ended with '}'
  };

  // Splitting and control flow.
  [[nodiscard]] bool SplitLines(std::string_view text, int firstLine);
  [[nodiscard]] bool CheckForHeader(const std::string& line, std::size_t open, std::size_t& end, int lineNumber);
  [[nodiscard]] bool CompileStatements(bool braced, bool& mayBeUndefined);
  [[nodiscard]] bool CompileStatement(Piece piece, bool singleBody, StatementShape& shape);
  [[nodiscard]] bool CompileBody(const Piece& header, std::string_view rest, bool isFor, StatementShape& shape,
                   const std::string& forStep);
  [[nodiscard]] bool CompileIf(const Piece& piece, StatementShape& shape);
  [[nodiscard]] bool TakeChainedIf(const Piece& elsePiece, Piece& chained);
  [[nodiscard]] bool MayOpenNestedBody(int line);
  [[nodiscard]] bool CompileWhile(const Piece& piece, std::string_view afterKeyword, StatementShape& shape);
  [[nodiscard]] bool CompileFor(const Piece& piece, std::string_view afterKeyword, StatementShape& shape);
  [[nodiscard]] bool ParseCondition(const Piece& piece, std::string_view afterKeyword, std::string& condition,
                      std::string_view& rest);
  int EmitConditionalJump(int conditionSlot);
  void EmitLoopEnd(int top, int exit, int bodyStart);
  void PatchJump(int operation);
  [[nodiscard]] bool JumpTargetsAt(int operation) const;
  int BeginRegion();
  void EndRegion(int region);
  [[nodiscard]] bool IsAncestorRegion(int ancestor, int region) const;
  void CollectWarnings();

  // Expressions.
  [[nodiscard]] bool CompileExpressionStatement(std::string_view text, int line, bool isCondition, int* resultSlot);
  bool Fail(Msg id, int line);
  bool FailText(std::string text, int line);

  // Slots and emission.
  int NewTemporary();
  int ConstantSlot(double value);
  int Emit(OpCode code, int r, int a = 0, int b = 0, int c = 0);
  int FindLocal(std::string_view name) const;
  [[nodiscard]] bool IsTemporary(int slot) const { return slotKinds_[slot] == SlotKind::kTemporary; }
  int CreateLocal(std::string_view name);
  void NoteAssignment(int local);
  void NoteRead(int local, int line);

  friend class ExpressionCompiler;
  enum class SlotKind : unsigned char { kFormal, kLocal, kConstant, kTemporary };
  std::vector<SlotKind> slotKinds_;

  EngineTables& tables_;
  int slotIndex_;
  ProgramSlot& slot_;
  CompiledProgram& code_;
  std::vector<Piece> pieces_;
  std::size_t next_ = 0;
  int currentLine_ = 0;
  int lastStatementLine_ = 0;
  BlockCompileResult result_;

  std::vector<std::string> localNames_;
  std::vector<int> localSlotOrder_;
  std::unordered_map<std::string, int> localSlots_;  // folded name -> slot
  std::unordered_map<std::string, int> formalIndex_;
  std::vector<bool> formalUsed_;
  std::unordered_map<std::uint64_t, int> constants_;  // by bit pattern
  std::unordered_set<int> jumpTargets_;  // operations that some jump continues at

  // Regions for the "may be used before set" warning: each local remembers
  // the outermost region in which it has been assigned.
  std::vector<int> regionParent_{-1};
  int currentRegion_ = 0;
  std::unordered_map<int, int> assignedRegion_;  // slot -> region
  std::string unsetVariable_;
  int unsetLine_ = -1;
  int statementCount_ = 0;

  // The depth of statements being compiled, one level per nested statement.
  struct NestingLevel {
    explicit NestingLevel(int& depth) : depth_(depth) { ++depth_; }
    ~NestingLevel() { --depth_; }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;
    int& depth_;
  };
  int nesting_ = 0;
};

}  // namespace tessarin::engine
