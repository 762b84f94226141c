#pragma once
// The tokens of one parameter-file line, taken from left to right. Each
// token ends at the first of its delimiters, and that delimiter is used up,
// so the next token may be looked for with different delimiters.

#include <cstddef>
#include <string_view>

namespace tessarin::settings {

class LineTokens {
 public:
  explicit LineTokens(std::string_view line) : line_(line) {}

  // The next token: leading delimiters skipped; empty when none is left.
  std::string_view Next(std::string_view delimiters);

  // What follows the last token, with leading blanks, equals signs and
  // tabs skipped; trailing blanks stay.
  std::string_view Rest() const;

 private:
  std::string_view line_;
  std::size_t position_ = 0;
};

}  // namespace tessarin::settings
