#include "engine/user_files.h"

#include <sys/stat.h>
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

UserFiles::Opened UserFiles::Open(std::string_view path, FileAccess access, bool anywhere) {
  Opened opened;
  if (Blank(path)) return opened;
  std::string absolute = folder_.Absolute(path);
  bool mayCreate = createdFiles_ < createdFileLimit_;
  FileOpening opening =
      anywhere ? UserFileFolder::OpenAnywhere(absolute, access, mayCreate) : folder_.Open(absolute, access, mayCreate);
  opened.outcome.need = opening.need;
  opened.outcome.where = std::move(opening.where);
  opened.outcome.tooManyFiles = opening.creationRefused;
  if (opening.descriptor < 0) return opened;
  opened.file = ::fdopen(opening.descriptor, access == FileAccess::kWrite ? "w" : "r");
  if (!opened.file) {
    ::close(opening.descriptor);
    return opened;
  }
  if (opening.created) ++createdFiles_;
  opened.recordName = std::move(opening.recordName);
  return opened;
}

UserFileOpening UserFiles::Keep(Opened& opened, FileAccess access) {
  bool output = access == FileAccess::kWrite;
  std::FILE*& kept = output ? output_ : input_;
  if (!opened.file) {
    opened.outcome.result = kept ? -1 : 0;
    return opened.outcome;
  }
  // The previous file's closing result is not the opening's.
  static_cast<void>(output ? CloseOutput() : CloseInput());
  kept = opened.file;
  if (output) outputRecordName_ = std::move(opened.recordName);
  opened.outcome.result = 1;
  return opened.outcome;
}

UserFileOpening UserFiles::OpenOutput(std::string_view path, bool anywhere) {
  // The open output may be the very file asked for: the folder must know
  // it as it is now.
  NoteOutput();
  Opened opened = Open(path, FileAccess::kWrite, anywhere);
  return Keep(opened, FileAccess::kWrite);
}

UserFileOpening UserFiles::OpenInput(std::string_view path, bool anywhere) {
  Opened opened = Open(path, FileAccess::kRead, anywhere);
  return Keep(opened, FileAccess::kRead);
}

void UserFiles::NoteOutput() {
  if (!output_ || outputRecordName_.empty()) return;
  std::fflush(output_);
  struct stat status {};
  if (::fstat(::fileno(output_), &status) == 0) folder_.NoteWritten(outputRecordName_, status);
}

int UserFiles::CloseOutput() {
  if (!output_) return 0;
  // Flushed first, so that the times noted are the file's last.
  NoteOutput();
  // The stream is gone after fclose whatever it answers, so it is
  // forgotten either way.
  int result = std::fclose(output_);
  output_ = nullptr;
  outputRecordName_.clear();
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
