#pragma once
// The two files of the user programs' text functions: the output file that
// FopenW opens and Write fills, and the input file that FopenR opens and
// SkipLines and ReadArray read. Both stay open from block to block until
// closed or until the engine goes. Files that UserFileFolder does not open
// by itself open only once the user has allowed them; what one reading may
// write and how many files it may create are bounded.

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "engine/user_file_folder.h"

namespace tessarin::engine {

inline constexpr std::uint64_t kDefaultWriteLimit = 100ull << 20;
inline constexpr int kDefaultCreatedFileLimit = 1000;

struct UserFileOpening {
  // 1 opened (the previous file closed); on failure -1 while a file of that
  // kind is still open, else 0.
  int result = 0;
  // Not opened without the user's yes (see `where`).
  FileNeed need = FileNeed::kNothing;
  std::string where;
  // Not opened: it would be one file more than a reading may create.
  bool tooManyFiles = false;
};

class UserFiles {
 public:
  UserFiles() = default;
  ~UserFiles();
  UserFiles(const UserFiles&) = delete;
  UserFiles& operator=(const UserFiles&) = delete;

  UserFileFolder& Folder() { return folder_; }
  void SetWriteLimit(std::uint64_t bytes) { writeLimit_ = bytes; }
  std::uint64_t WriteLimit() const { return writeLimit_; }
  void SetCreatedFileLimit(int files) { createdFileLimit_ = files; }
  int CreatedFileLimit() const { return createdFileLimit_; }

  // Only regular files open: a folder, a FIFO or a device is refused without
  // waiting for anything. With `anywhere` the folder does not matter.
  UserFileOpening OpenOutput(std::string_view path, bool anywhere);
  UserFileOpening OpenInput(std::string_view path, bool anywhere);
  // The closing result (0 success), or 0 when no file is open.
  int CloseOutput();
  int CloseInput();

  [[nodiscard]] bool HasOutput() const { return output_ != nullptr; }
  [[nodiscard]] bool HasInput() const { return input_ != nullptr; }
  // False, writing nothing, when the text would pass the write limit.
  [[nodiscard]] bool Write(std::string_view text);
  void FlushOutput();
  // Lines of up to 999 characters; false at the end of the file.
  [[nodiscard]] bool ReadLine(std::string& line);
  // Stops early when `stop` is set.
  double SkipLines(double count, const std::atomic<bool>& stop);

 private:
  struct Opened {
    UserFileOpening outcome;
    std::FILE* file = nullptr;
    std::string recordName;
  };
  Opened Open(std::string_view path, FileAccess access, bool anywhere);
  // Keeps the opened file in place of the previous one of its kind, or says
  // how the opening failed.
  UserFileOpening Keep(Opened& opened, FileAccess access);
  // Tells the folder how the output file is now, when it is the programs'.
  void NoteOutput();

  UserFileFolder folder_;
  std::FILE* output_ = nullptr;
  std::FILE* input_ = nullptr;
  std::uint64_t written_ = 0;
  std::uint64_t writeLimit_ = kDefaultWriteLimit;
  std::string outputRecordName_;
  int createdFiles_ = 0;
  int createdFileLimit_ = kDefaultCreatedFileLimit;
};

}  // namespace tessarin::engine
