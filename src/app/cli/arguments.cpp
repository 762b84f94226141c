#include "app/cli/arguments.h"

#include <charconv>

namespace tessarin::cli {

std::optional<std::string> ParsedArguments::Value(const std::string& option) const {
  auto found = values.find(option);
  if (found == values.end()) return std::nullopt;
  return found->second;
}

std::optional<ParsedArguments> ParseArguments(const std::vector<std::string>& args, const ArgumentSpec& spec,
                                              std::string& error) {
  ParsedArguments parsed;
  bool onlyPositional = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (onlyPositional || arg == "-" || arg.rfind("-", 0) != 0) {
      parsed.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      onlyPositional = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      parsed.helpRequested = true;
      return parsed;
    }
    std::string name = arg;
    std::optional<std::string> inlineValue;
    if (std::size_t equals = arg.find('='); equals != std::string::npos) {
      name = arg.substr(0, equals);
      inlineValue = arg.substr(equals + 1);
    }
    if (spec.flags.count(name) && !inlineValue) {
      parsed.flags.insert(name);
    } else if (spec.valueOptions.count(name)) {
      if (inlineValue) {
        parsed.values[name] = *inlineValue;
      } else if (i + 1 < args.size()) {
        parsed.values[name] = args[++i];
      } else {
        error = "option " + name + " needs a value";
        return std::nullopt;
      }
    } else {
      error = "unknown option '" + arg + "'";
      return std::nullopt;
    }
  }
  if (parsed.positional.size() < spec.minPositional) {
    error = "missing argument";
    return std::nullopt;
  }
  if (parsed.positional.size() > spec.maxPositional) {
    error = "unexpected argument '" + parsed.positional[spec.maxPositional] + "'";
    return std::nullopt;
  }
  return parsed;
}

std::optional<long long> ParseWholeNumber(const std::string& text, long long min, long long max) {
  long long value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty() || value < min || value > max) return std::nullopt;
  return value;
}

}  // namespace tessarin::cli
