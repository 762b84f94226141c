#pragma once
// Names of the user-code language: separators, case folding, validity.

#include <string>
#include <string_view>

namespace tessarin::engine {

// The 25 characters that no name may contain.
[[nodiscard]] bool IsSeparator(char c);
[[nodiscard]] bool IsBlank(char c);
[[nodiscard]] bool IsDigit(char c);
// A character that the expression scanner reads as part of a name: no
// separator, blank or line end, and no '&' (which it reads as an operator).
[[nodiscard]] bool IsNameCharacter(char c);
// Names are compared without regard to letter case.
std::string FoldName(std::string_view name);
[[nodiscard]] bool SameName(std::string_view a, std::string_view b);
std::string_view TrimBlanks(std::string_view text);

enum class NameProblem { kNone, kEmpty, kSeparators, kBeginsWithDigit };
NameProblem CheckNameCharacters(std::string_view name);

inline constexpr int kSystemVariableCount = 13;
// "@0".."@9", "IER", "AbsErr", "nEval"; -1 when the name is none of them.
int FindSystemVariable(std::string_view name);
std::string_view SystemVariableName(int index);

}  // namespace tessarin::engine
