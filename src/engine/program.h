#pragma once
// A compiled block: its operation list, the template of its value slots, and
// the record that carries its kind, name, formal parameters and status.

#include <cstdint>
#include <string>
#include <vector>

namespace tessarin::engine {

enum class BlockKind { kProgram, kSubroutine, kParameters };

enum ProgramStatus : int { kStatusNone = 0, kStatusWarning = 1, kStatusSyntaxError = 2, kStatusRuntimeError = 3 };

// Formal parameter kinds: 0 value, 1 variable reference, 2..21 array
// reference with 1..20 dimensions, 22 and above a function reference.
inline constexpr int kFormalValue = 0;
inline constexpr int kFormalVariable = 1;
inline constexpr int kFormalFirstArray = 2;
inline constexpr int kFormalFirstFunction = 22;
[[nodiscard]] bool IsArrayFormal(int kind);
[[nodiscard]] bool IsFunctionFormal(int kind);
int FunctionFormalArity(int kind);
// Argument codes of a function formal: 0 value, 1 variable, 2 and 3 arrays of
// one and two dimensions.
std::vector<int> FunctionFormalArguments(int kind);
int FunctionFormalKind(const std::vector<int>& argumentCodes);

struct ProgramRecord {
  BlockKind kind = BlockKind::kProgram;
  std::string name;
  int status = kStatusNone;
  std::string message;
  int line = -1;
  std::vector<std::string> formalNames;
  std::vector<int> formalKinds;
  double timeLimit = 2.0;
};

// The operations of the executor. r is the result slot; a, b and c are
// slots unless said otherwise.
//   kCopy r = a; kLoadGlobal r = global a; kStoreGlobal global a = b, r = b;
//   kLoadSystem r = system variable a; kLoadThrough r = the caller's variable
//   behind formal a; kStoreThrough that variable = b, r = b;
//   kJump continue at operation c; kJumpIfFalse when a is exactly 0;
//   kLessJump and the other ...Jump: r = a < b, when false continue at c;
//   kLessBack and the other ...Back (loop ends): when a < b continue at c;
//   kAddLessBack: r = r + a, then when r < b continue at c;
//   kMultiplyAdd r = a + b * c;
//   kSimple1..3: builtin c on a (and b, or on argumentPool[a..a+2]);
//   kText: text function call a; kIndirect r = the variable referenced by a;
//   kCopyBytes: memcpy on argumentPool[a..a+2];
//   kReference r = a reference of kind a to b; kReturn ends the block with a;
//   kCallProgram r = program c with b arguments from argumentPool[a];
//   kCallFunctionFormal the same for the function referenced by formal c;
//   kEnd ends the block;
//   kIntegrandEnd: the end of an integration-type call's expression, whose
//   value is in slot a (normal flow jumps over the expression);
//   kIntegrate r = integration-type call a; kRanmar and kFileFunction
//   r = builtin c on a; kArrayLoad r = element access a; kArrayStore that
//   element = b, r = b; kArrayReference r = a reference to the array part
//   of access a; kArrayBuiltin r = builtin c on argumentPool[a..].
#define TESSARIN_OPCODES(X)                                                                           \
  X(kAdd) X(kSubtract) X(kDivide) X(kMultiply) X(kPower) X(kGreater) X(kLess) X(kGreaterEqual)         \
  X(kLessEqual) X(kEqual) X(kNotEqual) X(kAnd) X(kOr) X(kCopy) X(kLoadGlobal) X(kStoreGlobal)           \
  X(kLoadSystem) X(kLoadThrough) X(kStoreThrough) X(kJump) X(kJumpIfFalse) X(kLessJump)                 \
  X(kLessEqualJump) X(kGreaterJump) X(kGreaterEqualJump) X(kEqualJump) X(kNotEqualJump) X(kLessBack)     \
  X(kLessEqualBack) X(kGreaterBack) X(kGreaterEqualBack) X(kEqualBack) X(kNotEqualBack) X(kAddLessBack)  \
  X(kAddLessEqualBack) X(kMultiplyAdd) X(kSimple1) X(kSimple2) X(kSimple3) X(kText) X(kIndirect)         \
  X(kCopyBytes) X(kReference) X(kReturn) X(kCallProgram) X(kCallFunctionFormal) X(kEnd)      \
  X(kIntegrandEnd) X(kIntegrate) X(kRanmar) X(kFileFunction) \
  X(kArrayLoad) X(kArrayStore) X(kArrayReference) X(kArrayBuiltin)

enum class OpCode : std::uint8_t {
#define TESSARIN_OPCODE_ENUMERATOR(name) name,
  TESSARIN_OPCODES(TESSARIN_OPCODE_ENUMERATOR)
#undef TESSARIN_OPCODE_ENUMERATOR
};

struct Operation {
  OpCode code;
  std::int32_t r = 0;
  std::int32_t a = 0;
  std::int32_t b = 0;
  std::int32_t c = 0;
};

// A text function call: the literal pieces around its value arguments.
struct TextCall {
  int builtin = 0;
  std::vector<std::string> pieces;  // values.size() + 1 pieces
  std::vector<std::int32_t> values;
};

// Where an integration-type function stores each point: a local slot, a
// global or the caller's variable behind a formal.
enum class BoundTarget : std::uint8_t { kLocal, kGlobal, kThrough };

// An integration-type call: the operations that evaluate its expression run
// again for every point (from expressionStart up to the kIntegrandEnd at
// expressionEnd), with the point stored into the bound variable first.
struct IntegrationCall {
  int builtin = 0;
  std::int32_t expressionStart = 0;
  std::int32_t expressionEnd = 0;
  BoundTarget boundTarget = BoundTarget::kLocal;
  std::int32_t boundIndex = 0;
  std::vector<std::int32_t> arguments;  // slots of all arguments
};

// An element or part of an array: a global array, or the array behind a
// formal parameter, with the slots of the indices given.
struct ElementAccess {
  std::int32_t array = -1;   // the global array, or -1
  std::int32_t formal = -1;  // the array formal, or -1
  int formalDimensions = 0;
  std::vector<std::int32_t> indices;
};

struct CompiledProgram {
  std::vector<Operation> operations;
  std::vector<int> operationLines;
  std::vector<double> initialSlots;  // formals, locals, constants, temporaries
  std::vector<std::int32_t> argumentPool;  // argument slots of calls
  std::vector<TextCall> textCalls;
  std::vector<IntegrationCall> integrationCalls;
  std::vector<ElementAccess> elementAccesses;
  std::vector<std::string> localNames;  // slot order after the formals
  int formalCount = 0;
  bool compiled = false;
};

}  // namespace tessarin::engine
