#include "input_summary.h"

#include <fstream>

namespace tessarin::standin {

std::optional<InputSummary> SummarizeInput(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  InputSummary summary;
  std::string line;
  bool continued = false;
  while (std::getline(file, line)) {
    ++summary.lines;
    summary.bytes += line.size() + 1;
    std::string text = line.substr(0, line.find("//"));
    std::size_t last = text.find_last_not_of(" \t\r");
    if (last == std::string::npos) {
      continued = false;
      continue;
    }
    if (!continued) ++summary.directives;
    continued = text[last] == '&';
  }
  if (file.bad()) return std::nullopt;
  return summary;
}

}  // namespace tessarin::standin
