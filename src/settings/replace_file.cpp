#include "settings/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>

namespace tessarin::settings {

namespace {

std::string FollowSymbolicLink(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) return path;
  std::filesystem::path target = std::filesystem::canonical(path, error);
  return error ? path : target.string();
}

// A name beside `target` that no other save uses at the same time.
std::string TemporaryName(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  return target + ".saving-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

bool WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

int CreateTemporary(const std::string& target, std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = TemporaryName(target);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
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

// For a writable file in a folder that is not: no temporary file can be
// made beside it, so the file is overwritten where it is.
bool OverwriteInPlace(const std::string& target, std::string_view contents) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, contents) && ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  return ok;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, std::string_view contents) {
  const std::string target = FollowSymbolicLink(path);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) return false;

  std::string temporary;
  const int fd = CreateTemporary(target, temporary);
  if (fd < 0) return exists && (errno == EACCES || errno == EPERM) && OverwriteInPlace(target, contents);
  bool ok = WriteAll(fd, contents);
  if (ok && exists) ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
  if (ok) ok = ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok) ok = ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolderOf(target);
  return true;
}

}  // namespace tessarin::settings
