#include "simulator_options.h"

#include <cctype>
#include <charconv>

namespace tessarin::standin {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

template <typename Number>
bool ParseNumber(const std::string& text, Number& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// The words of the command line, taken in order.
class Words {
 public:
  explicit Words(const std::vector<std::string>& words) : words_(words) {}
  bool AtEnd() const { return next_ >= words_.size(); }
  const std::string& Take() { return words_[next_++]; }
  std::optional<std::string> Value() {
    if (AtEnd()) return std::nullopt;
    return Take();
  }

 private:
  const std::vector<std::string>& words_;
  std::size_t next_ = 0;
};

}  // namespace

ParsedOptions ParseSimulatorOptions(const std::vector<std::string>& arguments) {
  SimulatorOptions options;
  Words words(arguments);
  auto missing = [](const std::string& keyword) { return ParsedOptions{std::nullopt, keyword + " needs a value"}; };
  while (!words.AtEnd()) {
    std::string word = words.Take();
    std::string keyword = Lower(word);
    std::optional<std::string> attached;
    std::size_t equals = keyword.find('=');
    if (equals != std::string::npos && (keyword.rfind("in=", 0) == 0 || keyword.rfind("out=", 0) == 0)) {
      if (equals + 1 < word.size()) attached = word.substr(equals + 1);
      keyword = keyword.substr(0, equals);
    }
    auto value = [&]() { return attached ? attached : words.Value(); };
    if (keyword == "tasks" || keyword == "check" || keyword == "writelog") {
      std::optional<std::string> text = value();
      int number = 0;
      if (!text) return missing(word);
      if (!ParseNumber(*text, number)) return {std::nullopt, word + " needs an integer, not \"" + *text + "\""};
      if (keyword == "tasks") options.tasks = number;
      if (keyword == "check") options.check = number;
      if (keyword == "writelog") options.writeLog = number != 0;
    } else if (keyword.size() >= 2 && keyword[0] == '@' && std::isdigit(static_cast<unsigned char>(keyword[1]))) {
      int index = 0;
      std::optional<std::string> text = value();
      double number = 0;
      if (!ParseNumber(keyword.substr(1), index) || index < 0 || index > 9)
        return {std::nullopt, "no system variable " + word};
      if (!text) return missing(word);
      if (!ParseNumber(*text, number)) return {std::nullopt, word + " needs a number, not \"" + *text + "\""};
      options.systemVariables[static_cast<std::size_t>(index)] = number;
    } else if (keyword == "dir" || keyword == "alt" || keyword == "in" || keyword == "log" || keyword == "out") {
      std::optional<std::string> path = value();
      if (!path) return missing(word);
      std::string& target = keyword == "dir"   ? options.dataFolder
                            : keyword == "alt" ? options.alternativeCrossSections
                            : keyword == "in"  ? options.input
                            : keyword == "log" ? options.log
                                               : options.output;
      target = *path;
    } else {
      options.additional.push_back(word);
    }
  }
  if (options.input.empty()) return {std::nullopt, "no input file (in FILE)"};
  return {options, {}};
}

}  // namespace tessarin::standin
