#pragma once
// The optional name in double quotes that may follow a material identifier
// in M<n>, MAT and the void material of a cell or a union.

#include <cstddef>
#include <optional>
#include <string>

#include "input/directive_context.h"

namespace tessarin::input {

struct [[nodiscard]] QuotedNameResult {
  bool ok = true;  // false: the closing quote is missing (message printed)
  std::optional<std::string> name;
  // Where tokenizing goes on when a name was read (after its closing quote).
  std::optional<std::size_t> restart;
};

// When the first non-blank character after the current token is '"', the
// name is the text up to the next '"' of the line, trimmed and cut to 50
// characters.
QuotedNameResult ReadQuotedName(DirectiveContext& context, std::string_view currentToken,
                                const char* missingQuoteMessage);

// The next token of the directive, continuing after a name when one was read.
std::optional<std::string> NextTokenAfterName(DirectiveContext& context, const QuotedNameResult& name);

}  // namespace tessarin::input
