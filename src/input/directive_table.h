#pragma once
// The keywords the reader acts on, in the order they are tried, with whether
// each may occur only once, the geometry mode it needs, and its handler.
// Anything not listed is skipped.

#include <span>
#include <string_view>

#include "input/directive_context.h"
#include "input/user_code.h"

namespace tessarin::input {

enum class ModeRule { None, ComplexOnly, SimpleOnly };

struct DirectiveSpec {
  const char* keyword;  // the keyword, or the prefix of S<n>, TR<n>, ...
  bool prefixed;
  bool counted;         // at most once per file, program output included
  ModeRule mode;
  const char* name;     // as the messages name it
  const char* formatMessage;  // prefixed keywords: a malformed identifier ("%s": the token)
  DirectiveHandler handler;   // nullptr for the user-code blocks
  bool alsoInPreScan;         // evaluated in the pre-scan too
  UserBlockKind block;        // the block kind, when `handler` is nullptr
};

// Every entry, in the order they are tried.
std::span<const DirectiveSpec> Directives();

// The entry for a directive's first token, or nullptr (skipped). Block
// keywords match only while no program output is being read.
const DirectiveSpec* MatchDirective(std::string_view token, bool readingProgramOutput);

// Applies the entry's mode rule; false (after the message) when the mode
// already set forbids the keyword.
[[nodiscard]] bool ApplyModeRule(DirectiveContext& context, const DirectiveSpec& spec);

}  // namespace tessarin::input
