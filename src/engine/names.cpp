#include "engine/names.h"

#include <array>

namespace tessarin::engine {

bool IsSeparator(char c) {
  static constexpr std::string_view kSeparators = "+-/*^=,().!?<>;:[]{}|\\'%\"";
  return kSeparators.find(c) != std::string_view::npos;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsNameCharacter(char c) { return !IsSeparator(c) && !IsBlank(c) && c != '&' && c != '\r' && c != '\n'; }

std::string FoldName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return folded;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
    char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
    if (x != y) return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r' || text.front() == '\n'))
    text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r' || text.back() == '\n'))
    text.remove_suffix(1);
  return text;
}

NameProblem CheckNameCharacters(std::string_view name) {
  if (name.empty()) return NameProblem::kEmpty;
  for (char c : name)
    if (IsSeparator(c)) return NameProblem::kSeparators;
  if (name.front() >= '0' && name.front() <= '9') return NameProblem::kBeginsWithDigit;
  return NameProblem::kNone;
}

namespace {
constexpr std::array<std::string_view, kSystemVariableCount> kSystemNames = {
    "@0", "@1", "@2", "@3", "@4", "@5", "@6", "@7", "@8", "@9", "IER", "AbsErr", "nEval"};
}

int FindSystemVariable(std::string_view name) {
  for (int i = 0; i < kSystemVariableCount; ++i)
    if (SameName(kSystemNames[i], name)) return i;
  return -1;
}

std::string_view SystemVariableName(int index) { return kSystemNames[index]; }

}  // namespace tessarin::engine
