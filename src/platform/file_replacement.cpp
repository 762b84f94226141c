#include "platform/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/format_text.h"

namespace tessarin::platform {

namespace {

// Large enough that writing thousands of short lines costs few system calls.
constexpr std::size_t kBufferSize = 1 << 16;

// Why an output that is a link is not written: what it points to.
constexpr const char* kWrittenThroughLink =
    "it is a symbolic link to \"%s\", and no output is written through a link";

// A name beside `target` that no other writer uses at the same time.
std::string TemporaryName(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  return target + ".saving-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// Makes the rename itself survive a crash; failing here loses nothing.
void SyncFolderOf(const std::string& file) {
  const std::size_t slash = file.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : file.substr(0, slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::optional<std::string> SymbolicLinkTarget(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) return std::nullopt;
  const std::filesystem::path target = std::filesystem::read_symlink(path, error);
  if (error) return std::string();
  if (target.is_absolute()) return target.lexically_normal().string();
  return (std::filesystem::absolute(path, error).parent_path() / target).lexically_normal().string();
}

FileReplacement::FileReplacement(std::string path, LinkHandling links) : path_(std::move(path)), target_(path_) {
  struct stat existing {};
  if (::lstat(target_.c_str(), &existing) == 0 && S_ISLNK(existing.st_mode)) {
    // The rename below replaces the link itself, never its target.
    if (links == LinkHandling::kRefuse) {
      reason_ = FormatText(kWrittenThroughLink, SymbolicLinkTarget(path_).value_or(std::string()).c_str());
      return;
    }
  } else if (::stat(target_.c_str(), &existing) == 0) {
    if (S_ISDIR(existing.st_mode)) {
      Fail(EISDIR);
      return;
    }
    if (!S_ISREG(existing.st_mode)) {
      // A pipe or a device has no old contents to keep: written straight.
      fd_ = ::open(target_.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
      if (fd_ < 0) Fail(errno);
      return;
    }
    // A second name of the file (a hard link) keeps the old contents: the
    // rename gives this name a new file.
    replacesFile_ = true;
    existingMode_ = existing.st_mode & 07777;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_ = TemporaryName(target_);
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0 || errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temporary_.clear();
    Fail(errno);
    return;
  }
  buffer_.reserve(kBufferSize);
}

FileReplacement::~FileReplacement() { Discard(); }

void FileReplacement::Fail(int error) {
  if (reason_.empty()) reason_ = std::strerror(error);
}

bool FileReplacement::Flush() {
  std::string_view rest(buffer_.data(), buffer_.size());
  while (!rest.empty()) {
    const ssize_t written = ::write(fd_, rest.data(), rest.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
      break;
    }
    rest.remove_prefix(static_cast<std::size_t>(written));
  }
  buffer_.clear();
  return !Failed();
}

bool FileReplacement::Write(std::string_view bytes) {
  if (Failed() || fd_ < 0) return false;
  if (buffer_.size() + bytes.size() > kBufferSize && !Flush()) return false;
  if (bytes.size() >= kBufferSize) {
    buffer_.assign(bytes.begin(), bytes.end());
    return Flush();
  }
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
  return true;
}

bool FileReplacement::Prepare() {
  if (prepared_) return !Failed();
  if (Failed() || fd_ < 0) {
    Discard();
    return false;
  }
  Flush();
  if (!Failed() && replacesFile_ && ::fchmod(fd_, existingMode_) != 0) Fail(errno);
  // Only a file that replaces another must be on the disk before the rename:
  // a crash would otherwise leave neither version.
  if (!Failed() && replacesFile_ && ::fsync(fd_) != 0) Fail(errno);
  if (::close(fd_) != 0) Fail(errno);
  fd_ = -1;
  prepared_ = true;
  if (Failed()) {
    Discard();
    return false;
  }
  return true;
}

bool FileReplacement::Commit() {
  if (!Prepare()) return false;
  if (temporary_.empty()) return true;  // written straight, or committed already
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    Fail(errno);
    Discard();
    return false;
  }
  temporary_.clear();
  SyncFolderOf(target_);
  return true;
}

void FileReplacement::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
  buffer_.clear();
}

bool ReplaceFile(const std::string& path, std::string_view contents, std::string* reason, LinkHandling links) {
  FileReplacement file(path, links);
  const bool written = file.Write(contents) && file.Commit();
  if (!written && reason != nullptr) *reason = file.Reason();
  return written;
}

}  // namespace tessarin::platform
