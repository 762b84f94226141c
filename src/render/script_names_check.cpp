#include "render/script_names_check.h"

#include <unordered_set>

#include "platform/format_text.h"
#include "render/messages.h"

namespace tessarin::render {
namespace {

// The next word of `line` from `position`, words being separated by blanks.
std::string_view NextWord(std::string_view line, std::size_t& position) {
  while (position < line.size() && line[position] == ' ') ++position;
  const std::size_t start = position;
  while (position < line.size() && line[position] != ' ') ++position;
  return line.substr(start, position - start);
}

bool IsBooleanOperator(std::string_view word) { return word == "u" || word == "+" || word == "-"; }

}  // namespace

std::optional<std::string> UndefinedObjectMessage(std::string_view script) {
  std::unordered_set<std::string_view> made;
  std::size_t start = 0;
  while (start < script.size()) {
    std::size_t end = script.find('\n', start);
    if (end == std::string_view::npos) end = script.size();
    const std::string_view line = script.substr(start, end - start);
    start = end + 1;
    std::size_t position = 0;
    const std::string_view command = NextWord(line, position);
    if (command != "in" && command != "comb" && command != "r") continue;
    const std::string_view name = NextWord(line, position);
    if (command != "in") {
      for (std::string_view word = NextWord(line, position); !word.empty(); word = NextWord(line, position)) {
        if (IsBooleanOperator(word) || made.count(word) != 0) continue;
        return platform::FormatText(messages::kUndefinedObject, std::string(command).c_str(),
                                    std::string(name).c_str(), std::string(word).c_str());
      }
    }
    made.insert(name);
  }
  return std::nullopt;
}

}  // namespace tessarin::render
