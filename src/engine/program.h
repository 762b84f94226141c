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
bool IsArrayFormal(int kind);
bool IsFunctionFormal(int kind);
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

enum class OpCode : std::uint8_t {
  kAdd, kSubtract, kDivide, kMultiply, kPower,
  kGreater, kLess, kGreaterEqual, kLessEqual, kEqual, kNotEqual, kAnd, kOr,
  kCopy,            // r = a
  kLoadGlobal,      // r = global a
  kStoreGlobal,     // global a = b, r = b
  kLoadSystem,      // r = system variable a
  kLoadThrough,     // r = the caller's variable behind formal a
  kStoreThrough,    // caller's variable behind formal a = b, r = b
  kJump,            // continue at c
  kJumpIfFalse,     // when a is exactly 0: continue at c
  kLessJump,        // r = a < b; when false continue at c (and so on)
  kLessEqualJump, kGreaterJump, kGreaterEqualJump, kEqualJump, kNotEqualJump,
  kLessBack,        // loop end: when a < b continue at c (and so on)
  kLessEqualBack, kGreaterBack, kGreaterEqualBack, kEqualBack, kNotEqualBack,
  kAddLessBack,     // loop end: r = r + a; when r < b continue at c
  kAddLessEqualBack,
  kMultiplyAdd,     // r = a + b * c
  kSimple1, kSimple2, kSimple3,   // builtin c on a (, b (, args[0]))
  kText,            // text function: call record a
  kIndirect,        // r = the variable referenced by a
  kReference,       // r = constant reference value a (an index of references)
  kReturn,          // end the block with a
  kCallProgram,     // r = program c (arguments a..a+b in the argument pool)
  kCallFunctionFormal,  // r = the function referenced by formal c
  kUnavailable,     // builtin c is not available yet
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

struct CompiledProgram {
  std::vector<Operation> operations;
  std::vector<int> operationLines;
  std::vector<double> initialSlots;  // formals, locals, constants, temporaries
  std::vector<std::int32_t> argumentPool;  // argument slots of calls
  std::vector<TextCall> textCalls;
  std::vector<std::string> localNames;  // slot order after the formals
  int formalCount = 0;
  bool compiled = false;
};

}  // namespace tessarin::engine
