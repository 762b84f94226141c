#include "input/quoted_name.h"

#include "input/geometry_model.h"
#include "input/owned_token.h"

namespace tessarin::input {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string TrimmedName(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  std::string name(text.substr(first, last - first));
  if (name.size() > kMaxMaterialNameLength) name.resize(kMaxMaterialNameLength);
  return name;
}

}  // namespace

QuotedNameResult ReadQuotedName(DirectiveContext& context, std::string_view currentToken,
                                const char* missingQuoteMessage) {
  const std::string& line = context.tokens.Line();
  std::size_t position = context.tokens.TokenStart() + currentToken.size();
  while (position < line.size() && IsBlank(line[position])) ++position;
  if (position >= line.size() || line[position] != '"') return {};
  std::size_t closing = line.find('"', position + 1);
  if (closing == std::string::npos) return {context.Fail(missingQuoteMessage), std::nullopt, std::nullopt};
  return {true, TrimmedName(std::string_view(line).substr(position + 1, closing - position - 1)), closing + 1};
}

std::optional<std::string> NextTokenAfterName(DirectiveContext& context, const QuotedNameResult& name) {
  if (!name.restart) return NextOwnedToken(context.tokens);
  std::optional<std::string_view> token = context.tokens.NextTokenFrom(*name.restart);
  if (!token) return std::nullopt;
  return std::string(*token);
}

}  // namespace tessarin::input
