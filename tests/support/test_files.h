#pragma once
// File helpers for tests: a temporary folder removed at the end of the test,
// and whole-file reading and writing.

#include <string>

namespace tessarin::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, ending with a slash.
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& contents);

}  // namespace tessarin::testing
