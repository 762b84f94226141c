#pragma once
// Lines of a parameter file, each taken with the maximum length that its
// key allows. Whatever lies beyond that length stays for the next line, as
// does a line that is only looked at and not taken. A carriage return before
// a line feed is dropped and not counted.

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin::settings {

class ParameterFileLines {
 public:
  explicit ParameterFileLines(std::istream& in) : in_(in) {}

  // The next line, without its line feed, cut to `maxLength` characters
  // with the line feed counted; nothing at the end of the input.
  std::optional<std::string> Peek(std::size_t maxLength);

  // Takes the line that Peek(maxLength) shows.
  void Take(std::size_t maxLength);

  // The 1-based number of the line in the file that the next Peek shows;
  // the rest of a cut line keeps the number of the line it came from.
  long long LineNumber() const { return lineFeedsTaken_ + 1; }

 private:
  // The length, line feed included, of the next line cut to maxLength.
  std::size_t FillLine(std::size_t maxLength);

  std::istream& in_;
  std::string pending_;  // read from the stream, not yet taken
  long long lineFeedsTaken_ = 0;  // files of billions of lines are possible
};

}  // namespace tessarin::settings
