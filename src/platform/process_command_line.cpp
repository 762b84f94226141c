#include "platform/process_command_line.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "platform/paths.h"

namespace tessarin::platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i == text.size()) break;
    std::string word;
    while (i < text.size() && !IsBlank(text[i])) {
      char c = text[i++];
      if (c == '"' || c == '\'') {
        std::size_t close = text.find(c, i);
        if (close == std::string_view::npos) close = text.size();
        word.append(text.substr(i, close - i));
        i = close == text.size() ? close : close + 1;
      } else {
        word += c;
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

std::vector<std::string> SplitShellWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsBlank(c) || c == '\n') {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '\\') {
      if (i + 1 < text.size() && text[i + 1] != '\n') word += text[i + 1];
      ++i;
    } else if (c == '\'') {
      const std::size_t close = std::min(text.find('\'', i + 1), text.size());
      word.append(text.substr(i + 1, close - i - 1));
      i = close;
    } else if (c == '"') {
      for (++i; i < text.size() && text[i] != '"'; ++i) {
        // Inside double quotes a backslash escapes only these.
        constexpr std::string_view kEscaped = "$`\"\\";
        if (text[i] == '\\' && i + 1 < text.size() && kEscaped.find(text[i + 1]) != std::string_view::npos) ++i;
        word += text[i];
      }
    } else {
      word += c;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

std::string QuoteForShell(std::string_view word) {
  constexpr std::string_view kSafe =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-+=./:,@%";
  if (!word.empty() && word.find_first_not_of(kSafe) == std::string_view::npos) return std::string(word);
  std::string quoted = "'";
  for (char c : word) {
    if (c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  quoted += '\'';
  return quoted;
}

std::string JoinForShell(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) {
    if (!text.empty()) text += ' ';
    text += QuoteForShell(word);
  }
  return text;
}

std::optional<std::string> FindExecutable(std::string_view program, std::string_view directory) {
  if (program.empty()) return std::nullopt;
  if (program.find('/') != std::string_view::npos) {
    std::string path = program.front() == '/' ? std::string(program)
                                              : WithTrailingSeparator(directory) + std::string(program);
    if (IsExecutableFile(path)) return path;
    return std::nullopt;
  }
  const char* searchPath = std::getenv("PATH");
  std::string_view folders = searchPath ? searchPath : "/usr/local/bin:/usr/bin:/bin";
  while (true) {
    std::size_t colon = folders.find(':');
    std::string_view folder = folders.substr(0, colon);
    // An empty entry means the current directory.
    std::string candidate = WithTrailingSeparator(folder.empty() ? directory : folder) + std::string(program);
    if (IsExecutableFile(candidate)) return candidate;
    if (colon == std::string_view::npos) return std::nullopt;
    folders.remove_prefix(colon + 1);
  }
}

}  // namespace tessarin::platform
