#include "differential/check/model_shrinking.h"

#include <sstream>
#include <vector>

namespace tessarin::differential {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

bool Essential(const std::string& line) { return line.rfind("COMPLEX_GEOMETRY", 0) == 0; }

}  // namespace

std::string ShrinkInput(const std::string& input, const std::function<bool(const std::string&)>& stillFails,
                        int maxTrials) {
  std::vector<std::string> lines = Lines(input);
  int trials = 0;
  auto attempt = [&](std::vector<std::string> candidate) {
    if (trials >= maxTrials) return false;
    ++trials;
    if (!stillFails(Joined(candidate))) return false;
    lines = std::move(candidate);
    return true;
  };
  for (bool changed = true; changed && trials < maxTrials;) {
    changed = false;
    // Later lines depend on earlier ones, so they go first.
    for (std::size_t k = lines.size(); k-- > 0;) {
      if (k >= lines.size() || Essential(lines[k])) continue;
      std::vector<std::string> candidate = lines;
      candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(k));
      changed = attempt(std::move(candidate)) || changed;
    }
    for (std::size_t k = 0; k < lines.size(); ++k) {
      for (std::size_t at = lines[k].find(" #"); at != std::string::npos; at = lines[k].find(" #", at + 1)) {
        std::vector<std::string> candidate = lines;
        const std::size_t end = candidate[k].find(' ', at + 1);
        candidate[k].erase(at, end == std::string::npos ? std::string::npos : end - at);
        if (attempt(std::move(candidate))) {
          changed = true;
          at = at == 0 ? 0 : at - 1;
        }
      }
    }
  }
  return Joined(lines);
}

}  // namespace tessarin::differential
