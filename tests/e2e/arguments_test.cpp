#include "app/cli/arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessarin::cli {
namespace {

// What the sub-commands' argument parser makes of a command line: the
// positional arguments and values joined with '|', or the error.
std::string Parsed(const std::vector<std::string>& args) {
  ArgumentSpec spec;
  spec.flags = {"--json"};
  spec.valueOptions = {"--set", "--origin"};
  spec.minPositional = 1;
  spec.maxPositional = 2;
  std::string error;
  const std::optional<ParsedArguments> parsed = ParseArguments(args, spec, error);
  if (!parsed) return "error: " + error;
  std::string text;
  for (const std::string& positional : parsed->positional) text += positional + "|";
  for (const auto& [option, value] : parsed->values) text += option + "=" + value + "|";
  if (parsed->Has("--json")) text += "json|";
  return text;
}

TEST(Arguments, PositionalsFlagsValuesAndTheirErrors) {
  const struct {
    std::vector<std::string> args;
    std::string parsed;
  } cases[] = {
      {{"a.tesprm", "--set", "2", "--json"}, "a.tesprm|--set=2|json|"},
      {{"--set=2", "-"}, "-|--set=2|"},                         // "-" is standard input
      {{"a", "--origin", "-1,2,3"}, "a|--origin=-1,2,3|"},      // a value may begin with '-'
      {{"--", "--set", "x"}, "--set|x|"},                       // after "--" everything is positional
      {{"a", "--json=1"}, "error: unknown option '--json=1'"},  // a flag takes no value
      {{"a", "--set"}, "error: option --set needs a value"},
      {{"a", "--sets", "1"}, "error: unknown option '--sets'"},
      {{"a", "b", "c"}, "error: unexpected argument 'c'"},
      {{"--json"}, "error: missing argument"},
  };
  for (const auto& c : cases) EXPECT_EQ(Parsed(c.args), c.parsed) << c.args.front();
}

}  // namespace
}  // namespace tessarin::cli
