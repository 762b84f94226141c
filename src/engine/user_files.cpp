#include "engine/user_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>

#include "engine/names.h"

namespace tessarin::engine {
namespace {

constexpr int kLineBuffer = 1000;  // 999 characters and the terminator

// Opens a regular file only. O_NONBLOCK keeps a FIFO from blocking the open;
// the type is checked on the opened descriptor, so a path swapped in
// between cannot slip through.
std::FILE* OpenRegular(const std::string& path, int flags, const char* mode) {
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) return nullptr;
  int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  int current = ::fcntl(fd, F_GETFL);
  if (current >= 0) ::fcntl(fd, F_SETFL, current & ~O_NONBLOCK);
  std::FILE* file = ::fdopen(fd, mode);
  if (!file) ::close(fd);
  return file;
}

bool Blank(std::string_view text) {
  for (char c : text)
    if (!IsBlank(c)) return false;
  return true;
}

}  // namespace

UserFiles::~UserFiles() {
  CloseOutput();
  CloseInput();
}

int UserFiles::OpenOutput(std::string_view path) {
  std::FILE* file = Blank(path) ? nullptr : OpenRegular(std::string(path), O_WRONLY | O_CREAT | O_TRUNC, "w");
  if (!file) return output_ ? -1 : 0;
  CloseOutput();
  output_ = file;
  return 1;
}

int UserFiles::OpenInput(std::string_view path) {
  // Reading and updating, as the program may expect of its input file.
  std::FILE* file = Blank(path) ? nullptr : OpenRegular(std::string(path), O_RDWR, "r+");
  if (!file) return input_ ? -1 : 0;
  CloseInput();
  input_ = file;
  return 1;
}

int UserFiles::CloseOutput() {
  if (!output_) return 0;
  // The stream is gone after fclose whatever it answers, so it is
  // forgotten either way.
  int result = std::fclose(output_);
  output_ = nullptr;
  return result;
}

int UserFiles::CloseInput() {
  if (!input_) return 0;
  int result = std::fclose(input_);
  input_ = nullptr;
  return result;
}

void UserFiles::Write(std::string_view text) {
  if (output_) std::fwrite(text.data(), 1, text.size(), output_);
}

void UserFiles::FlushOutput() {
  if (output_) std::fflush(output_);
}

bool UserFiles::ReadLine(std::string& line) {
  if (!input_) return false;
  char buffer[kLineBuffer];
  if (!std::fgets(buffer, kLineBuffer, input_)) return false;
  line = buffer;
  return true;
}

int UserFiles::SkipLines(double count) {
  double wanted = std::trunc(count + 0.5);
  if (!input_ || !(wanted > 0)) return 0;
  int skipped = 0;
  std::string line;
  // Bounded by the file's length: every pass reads at least one character.
  while (skipped < wanted && ReadLine(line)) ++skipped;
  return skipped;
}

}  // namespace tessarin::engine
