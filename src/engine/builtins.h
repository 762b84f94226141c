#pragma once
// The table of built-in entries: operators 0 to 13 and the functions 14 to 93
// called by name, with arities and argument kinds, and the handlers of the
// simple functions.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tessarin::engine {

enum class ArgKind : std::uint8_t {
  kValue,
  kVariableReference,
  kArrayReference,
  kMatrixReference,
  kFunctionReference,
  kBoundVariable,
  kValueOrReference,  // indirect: a reference from loc, validated when it runs
};

enum class BuiltinGroup : std::uint8_t {
  kOperator,
  kText,     // string pieces and values in any number
  kSimple,   // a double from argument values
  kSpecial,  // works on the calling frame
};

using Simple1 = double (*)(double);
using Simple2 = double (*)(double, double);
using Simple3 = double (*)(double, double, double);

struct Builtin {
  std::string_view name;
  int arity = 0;  // text functions: any number of pieces
  BuiltinGroup group = BuiltinGroup::kSimple;
  std::array<ArgKind, 10> kinds{};
  bool integrationType = false;
  Simple1 simple1 = nullptr;
  Simple2 simple2 = nullptr;
  Simple3 simple3 = nullptr;
};

inline constexpr int kBuiltinCount = 94;
inline constexpr int kFirstNamedBuiltin = 14;

namespace builtin {
inline constexpr int kDir = 14, kDir2 = 15, kWrite = 16, kWrite2 = 17, kPrint = 18, kPrint2 = 19, kSystem = 20,
                     kFopenW = 21, kFopenR = 22, kSetNumberFormat = 23, kSrand = 54, kRand = 56, kTime = 58,
                     kClock = 59, kIndirect = 60, kMemcpy = 61, kLoc = 70, kReturn = 85, kSrand2 = 55,
                     kRand2 = 57, kInt = 74, kInt2 = 75, kInti = 76, kInti2 = 77, kIntw = 78, kIntw2 = 79,
                     kSum = 80, kSum2 = 81, kIter = 82, kRoot = 83, kRoot2 = 84, kFcloseW = 24,
                     kFcloseR = 25, kSkipLines = 26, kInvert = 71, kSize = 72, kSize2 = 73,
                     kFind = 86, kFind2 = 87, kHist = 88, kHist2 = 89, kReadArray = 90, kReadArray2 = 91,
                     kSort = 92, kSort2 = 93;
}

const std::array<Builtin, kBuiltinCount>& BuiltinTable();
// The entry called by this name (any case), 14 to 93; none for operators and
// unknown names.
std::optional<int> FindBuiltin(std::string_view name);

}  // namespace tessarin::engine
