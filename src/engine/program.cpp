#include "engine/program.h"

namespace tessarin::engine {
namespace {
constexpr int kFirstOffsetOf[4] = {0, 1, 6, 31};  // (5^n - 1) / 4
}

bool IsArrayFormal(int kind) { return kind >= kFormalFirstArray && kind < kFormalFirstFunction; }
bool IsFunctionFormal(int kind) { return kind >= kFormalFirstFunction; }

int FunctionFormalArity(int kind) {
  int offset = kind - kFormalFirstFunction;
  for (int n = 3; n >= 0; --n)
    if (offset >= kFirstOffsetOf[n]) return n;
  return 0;
}

std::vector<int> FunctionFormalArguments(int kind) {
  int arity = FunctionFormalArity(kind);
  int rest = kind - kFormalFirstFunction - kFirstOffsetOf[arity];
  std::vector<int> codes;
  for (int i = 0; i < arity; ++i) {
    codes.push_back(rest % 5);
    rest /= 5;
  }
  return codes;
}

int FunctionFormalKind(const std::vector<int>& argumentCodes) {
  int kind = kFormalFirstFunction + kFirstOffsetOf[argumentCodes.size()];
  int weight = 1;
  for (int code : argumentCodes) {
    kind += code * weight;
    weight *= 5;
  }
  return kind;
}

}  // namespace tessarin::engine
