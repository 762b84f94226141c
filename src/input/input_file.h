#pragma once
// The input file as a sequence of physical lines with their byte positions,
// so that the reader can return to a block's first line and resume after
// its end. A line longer than 1000 characters is cut there; the rest of it
// is dropped, never read as a line of its own, but its beginning is kept so
// that the reader can say what was lost.

#include <cstdint>
#include <fstream>
#include <string>

namespace tessarin::input {

inline constexpr std::size_t kMaxLineLength = 1000;
// How much of a cut line's rest is kept to be shown.
inline constexpr std::size_t kCutRestShown = 24;

class InputFile {
 public:
  // False when `path` is not a regular file that can be read (a folder, a
  // named pipe, a dangling link, no permission).
  [[nodiscard]] bool Open(const std::string& path);
  void Close() { stream_.close(); }
  // The file's name without its folder, as messages name it.
  const std::string& Name() const { return name_; }

  // The next line without its line end ("\n", "\r\n"); false at the end.
  [[nodiscard]] bool ReadLine(std::string& line);
  // Where the line last read began, and its 1-based number.
  std::int64_t LineStart() const { return lineStart_; }
  int LineNumber() const { return lineNumber_; }
  // Where the next line begins.
  std::int64_t Position() const { return position_; }
  // The beginning of what followed the first kMaxLineLength characters of
  // the line last read; empty when the line was not cut.
  const std::string& CutRest() const { return cutRest_; }
  // Continues at `position`, the start of the line after line `linesBefore`.
  void Seek(std::int64_t position, int linesBefore);

 private:
  std::ifstream stream_;
  std::string name_;
  std::string cutRest_;
  std::int64_t position_ = 0;
  std::int64_t lineStart_ = 0;
  int lineNumber_ = 0;
};

}  // namespace tessarin::input
