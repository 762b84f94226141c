#pragma once
// The two files of the user programs' text functions: the output file that
// FopenW opens and Write fills, and the input file that FopenR opens and
// SkipLines and ReadArray read. Both stay open from block to block until
// closed or until the engine goes.

#include <cstdio>
#include <string>
#include <string_view>

namespace tessarin::engine {

class UserFiles {
 public:
  UserFiles() = default;
  ~UserFiles();
  UserFiles(const UserFiles&) = delete;
  UserFiles& operator=(const UserFiles&) = delete;

  // 1 opened (the previous file closed); on failure -1 while a file of that
  // kind is still open, else 0. Only regular files open: a folder, a FIFO
  // or a device is refused without waiting for anything.
  int OpenOutput(std::string_view path);
  int OpenInput(std::string_view path);
  // The closing result (0 success), or 0 when no file is open.
  int CloseOutput();
  int CloseInput();

  bool HasOutput() const { return output_ != nullptr; }
  bool HasInput() const { return input_ != nullptr; }
  void Write(std::string_view text);
  void FlushOutput();
  // Lines of up to 999 characters; false at the end of the file.
  bool ReadLine(std::string& line);
  int SkipLines(double count);

 private:
  std::FILE* output_ = nullptr;
  std::FILE* input_ = nullptr;
};

}  // namespace tessarin::engine
