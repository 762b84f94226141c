#include "render/script_check/database_dump.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>

#include "render/script_check/command_run.h"
#include "render/script_check/mged_runner.h"
#include "support/test_files.h"

namespace tessarin::render::script_check {
namespace {

// The words of a dump line, braces as words of their own so that the
// nesting of trees and vectors is compared too.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  auto end = [&] {
    if (!word.empty()) words.push_back(word);
    word.clear();
  };
  for (char c : line) {
    if (c == '{' || c == '}') {
      end();
      words.emplace_back(1, c);
    } else if (c == ' ' || c == '\t') {
      end();
    } else {
      word += c;
    }
  }
  end();
  return words;
}

std::optional<double> Number(const std::string& word) {
  double value = 0;
  const auto parsed = std::from_chars(word.data(), word.data() + word.size(), value);
  if (parsed.ec != std::errc() || parsed.ptr != word.data() + word.size()) return std::nullopt;
  return value;
}

double LargestNumber(const std::vector<std::string>& words) {
  double largest = 0;
  for (const std::string& word : words)
    if (const std::optional<double> value = Number(word)) largest = std::max(largest, std::fabs(*value));
  return largest;
}

bool SameWords(const std::vector<std::string>& a, const std::vector<std::string>& b, double relative) {
  if (a.size() != b.size()) return false;
  const double tolerance = relative * std::max(LargestNumber(a), LargestNumber(b));
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k] == b[k]) continue;
    const std::optional<double> x = Number(a[k]), y = Number(b[k]);
    if (!x || !y || std::fabs(*x - *y) > tolerance) return false;
  }
  return true;
}

struct DumpedObject {
  std::vector<std::string> stored;                         // the words of its "put" line
  std::map<std::string, std::vector<std::string>> attributes;  // name -> value words
};

// "put {name} ..." and "attr set {name} key value ..." lines by object;
// the other lines (title, units) under the empty name.
std::map<std::string, DumpedObject> Objects(const std::string& dump) {
  std::map<std::string, DumpedObject> objects;
  std::istringstream lines(dump);
  std::string line;
  while (std::getline(lines, line)) {
    const std::vector<std::string> words = Words(line);
    if (words.size() >= 4 && words[0] == "put" && words[1] == "{") {
      objects[words[2]].stored.assign(words.begin() + 4, words.end());
    } else if (words.size() >= 5 && words[0] == "attr" && words[1] == "set" && words[2] == "{") {
      DumpedObject& object = objects[words[3]];
      // Pairs of a key and a value, each a word or a braced group.
      std::size_t at = 5;
      auto group = [&](std::size_t& k) {
        std::vector<std::string> taken;
        int depth = 0;
        do {
          if (words[k] == "{") ++depth;
          if (words[k] == "}") --depth;
          taken.push_back(words[k++]);
        } while (depth > 0 && k < words.size());
        return taken;
      };
      while (at < words.size()) {
        const std::vector<std::string> key = group(at);
        if (at >= words.size()) break;
        std::string name;
        for (const std::string& part : key) name += part;
        object.attributes[name] = group(at);
      }
    } else if (!words.empty()) {
      objects[""].stored.insert(objects[""].stored.end(), words.begin(), words.end());
    }
  }
  return objects;
}

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
  return text.size() > 300 ? text.substr(0, 300) + "..." : text;
}

}  // namespace

std::optional<std::string> DumpDatabase(const std::string& databasePath, std::string& error) {
  const std::optional<std::string> bin = BrlcadBinFolder();
  if (!bin) {
    error = kNoBrlcad;
    return std::nullopt;
  }
  const std::string dumpPath = databasePath + ".asc";
  const CommandOutcome outcome =
      RunCommand(ShellQuoted(*bin + "/g2asc") + " " + ShellQuoted(databasePath) + " " + ShellQuoted(dumpPath), 120);
  if (outcome.exitStatus != 0) {
    error = "g2asc failed: " + outcome.output;
    return std::nullopt;
  }
  std::string dump = tessarin::testing::ReadWholeFile(dumpPath);
  std::remove(dumpPath.c_str());
  return dump;
}

std::vector<std::string> CompareDumps(const std::string& first, const std::string& second, double relative) {
  std::vector<std::string> differences;
  const std::map<std::string, DumpedObject> a = Objects(first), b = Objects(second);
  for (const auto& [name, object] : a) {
    const auto other = b.find(name);
    if (other == b.end()) {
      differences.push_back("only in the first: " + name);
      continue;
    }
    if (!SameWords(object.stored, other->second.stored, relative))
      differences.push_back(name + ": " + Joined(object.stored) + "\n  against " + Joined(other->second.stored));
    for (const auto& [key, value] : object.attributes) {
      const auto otherValue = other->second.attributes.find(key);
      if (otherValue == other->second.attributes.end() || !SameWords(value, otherValue->second, relative))
        differences.push_back(name + ": attribute " + key + " " + Joined(value));
    }
    for (const auto& [key, value] : other->second.attributes)
      if (!object.attributes.contains(key)) differences.push_back(name + ": attribute only in the second: " + key);
  }
  for (const auto& [name, object] : b)
    if (!a.contains(name)) differences.push_back("only in the second: " + name);
  return differences;
}

}  // namespace tessarin::render::script_check
