#include "engine/user_files.h"

#include <unistd.h>

#include <cmath>

#include "engine/names.h"

namespace tessarin::engine {
namespace {

constexpr int kLineBuffer = 1000;  // 999 characters and the terminator

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

UserFileOpening UserFiles::Open(std::string_view path, FileAccess access, bool anywhere, std::FILE*& kept) {
  UserFileOpening opening;
  int descriptor = -1;
  if (!Blank(path)) {
    std::string absolute = folder_.Absolute(path);
    if (anywhere) {
      descriptor = UserFileFolder::OpenAnywhere(absolute, access);
    } else {
      FileOpening inFolder = folder_.Open(absolute, access);
      descriptor = inFolder.descriptor;
      opening.outside = inFolder.outside;
      opening.where = std::move(inFolder.where);
    }
  }
  std::FILE* file = descriptor >= 0 ? ::fdopen(descriptor, access == FileAccess::kWrite ? "w" : "r") : nullptr;
  if (!file) {
    if (descriptor >= 0) ::close(descriptor);
    opening.result = kept ? -1 : 0;
    return opening;
  }
  if (kept) std::fclose(kept);
  kept = file;
  opening.result = 1;
  return opening;
}

UserFileOpening UserFiles::OpenOutput(std::string_view path, bool anywhere) {
  return Open(path, FileAccess::kWrite, anywhere, output_);
}

UserFileOpening UserFiles::OpenInput(std::string_view path, bool anywhere) {
  return Open(path, FileAccess::kRead, anywhere, input_);
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

bool UserFiles::Write(std::string_view text) {
  if (!output_) return true;
  if (text.size() > writeLimit_ - std::min(written_, writeLimit_)) return false;
  written_ += text.size();
  std::fwrite(text.data(), 1, text.size(), output_);
  return true;
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

double UserFiles::SkipLines(double count, const std::atomic<bool>& stop) {
  double wanted = std::trunc(count + 0.5);
  if (!input_ || !(wanted > 0)) return 0;
  double skipped = 0;
  std::string line;
  // Bounded by the file's length (every pass reads at least one character)
  // and by the stop request, which a file of many gigabytes needs.
  while (skipped < wanted && !stop.load(std::memory_order_relaxed) && ReadLine(line)) ++skipped;
  return skipped;
}

}  // namespace tessarin::engine
