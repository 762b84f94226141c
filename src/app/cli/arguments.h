#pragma once
// A small parser for the sub-commands' arguments: positional arguments,
// flags ("--dump") and options with a value ("--set 2" or "--set=2").

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin::cli {

struct ArgumentSpec {
  std::set<std::string> flags;          // e.g. "--dump"
  std::set<std::string> valueOptions;   // e.g. "--set"
  std::size_t minPositional = 0;
  std::size_t maxPositional = 0;
};

struct ParsedArguments {
  std::vector<std::string> positional;
  std::set<std::string> flags;
  std::map<std::string, std::string> values;
  bool helpRequested = false;

  [[nodiscard]] bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
  std::optional<std::string> Value(const std::string& option) const;
};

// Returns the parsed arguments, or an error message in `error`.
std::optional<ParsedArguments> ParseArguments(const std::vector<std::string>& args, const ArgumentSpec& spec,
                                              std::string& error);

// A whole decimal number in [min, max], or nothing.
std::optional<long long> ParseWholeNumber(const std::string& text, long long min, long long max);

}  // namespace tessarin::cli
