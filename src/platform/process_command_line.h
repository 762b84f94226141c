#pragma once
// Turning command-line text into the program and argument list that exec
// wants, and back into text for messages.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin::platform {

// Words separated by blanks and tabs; double or single quotes group blanks
// into a word and are removed.
std::vector<std::string> SplitArguments(std::string_view text);

// Words as a POSIX shell splits `text`, its quotes and backslashes
// removed, without any expansion: the program a command line names.
std::vector<std::string> SplitShellWords(std::string_view text);

// The word quoted for a POSIX shell when it holds anything the shell would
// interpret; otherwise unchanged.
std::string QuoteForShell(std::string_view word);

// The words quoted for a shell and joined by blanks.
std::string JoinForShell(const std::vector<std::string>& words);

// The executable that `program` names: a path with a slash is taken as it
// is (a relative one against `directory`), a bare name is looked up in PATH.
// Empty when there is no such executable file.
std::optional<std::string> FindExecutable(std::string_view program, std::string_view directory);

}  // namespace tessarin::platform
