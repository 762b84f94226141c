#pragma once
// What the stand-in takes from the input file: it only counts what it
// would read.

#include <optional>
#include <string>

namespace tessarin::standin {

struct InputSummary {
  int lines = 0;
  int directives = 0;  // logical lines: "&" continues, "//" comments, blank lines skipped
  std::size_t bytes = 0;
};

// Empty when the file cannot be read.
std::optional<InputSummary> SummarizeInput(const std::string& path);

}  // namespace tessarin::standin
