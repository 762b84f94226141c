#include "parameter_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace tessarin::settings::testing {

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

std::size_t FindKey(const std::vector<std::string>& lines, std::string_view key, std::size_t fromLine) {
  for (std::size_t i = fromLine; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.compare(0, key.size(), key) == 0 && line.size() > key.size() &&
        (line[key.size()] == ' ' || line[key.size()] == '='))
      return i;
  }
  ADD_FAILURE() << "no line with key " << key;
  return lines.size();
}

}  // namespace

std::string WriteToText(const ParameterSetList& list) {
  platform::ScriptedHost host;
  std::ostringstream out;
  EXPECT_TRUE(WriteParameterFile(out, list, kStartup, host));
  return out.str();
}

ParameterSetList FreshSets(int count, int current) {
  ParameterSetList list;
  for (int i = 0; i < count; ++i) {
    VIEWPARM set;
    set.name = "Set " + std::to_string(i + 1);
    list.sets.push_back(set);
  }
  list.current = current;
  return list;
}

ParameterFileReadResult ReadText(const std::string& text, platform::ScriptedHost& host) {
  std::istringstream in(text);
  return ReadParameterFile(in, "test.tesprm", host);
}

std::string RemoveLine(const std::string& text, std::string_view key, std::size_t fromLine) {
  std::vector<std::string> lines = SplitLines(text);
  std::size_t at = FindKey(lines, key, fromLine);
  if (at < lines.size()) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
  return JoinLines(lines);
}

std::string ReplaceLine(const std::string& text, std::string_view key, std::string_view newLine,
                        std::size_t fromLine) {
  std::vector<std::string> lines = SplitLines(text);
  std::size_t at = FindKey(lines, key, fromLine);
  if (at < lines.size()) lines[at] = std::string(newLine);
  return JoinLines(lines);
}

std::optional<VIEWPARM> ReadWithLine(std::string_view key, std::string_view line) {
  platform::ScriptedHost host;
  host.buttonFace = {212, 208, 200};
  ParameterFileReadResult result = ReadText(ReplaceLine(WriteToText(FreshSets(1)), key, line), host);
  if (!host.messages.empty()) return std::nullopt;
  return result.list.sets[0];
}

VIEWPARM ReadAccepted(std::string_view key, std::string_view line) {
  std::optional<VIEWPARM> set = ReadWithLine(key, line);
  EXPECT_TRUE(set) << "refused: " << line;
  return set ? *set : DefaultParameterSet();
}

std::size_t LineOfSetName(const std::string& text, std::string_view name) {
  std::vector<std::string> lines = SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == name) return i;
  return lines.size();
}

std::string ExamplePath(std::string_view fileName) {
  return std::string(TESSARIN_SOURCE_DIR) + "/examples/" + std::string(fileName);
}

}  // namespace tessarin::settings::testing
