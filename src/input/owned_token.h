#pragma once
// The next token of the directive as a string of its own: the view that
// NextToken returns lives only until the next line is read.

#include <optional>
#include <string>

#include "input/token_reader.h"

namespace tessarin::input {

inline std::optional<std::string> NextOwnedToken(TokenReader& tokens) {
  std::optional<std::string_view> token = tokens.NextToken();
  if (!token) return std::nullopt;
  return std::string(*token);
}

}  // namespace tessarin::input
