#include "settings/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>


namespace tessarin::settings {

namespace {

// For a writable file in a folder that is not: no temporary file can be
// made beside it, so the file is overwritten where it is.
bool OverwriteInPlace(const std::string& path, std::string_view contents) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_nlink > 1 || ::ftruncate(fd, 0) != 0) {
    ::close(fd);
    return false;
  }
  bool ok = true;
  while (ok && !contents.empty()) {
    const ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0 && errno == EINTR) continue;
    ok = written >= 0;
    if (ok) contents.remove_prefix(static_cast<std::size_t>(written));
  }
  ok = ok && ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  return ok;
}

bool FolderRefusesNewFiles(const std::string& path) {
  std::error_code error;
  const std::filesystem::path target = std::filesystem::absolute(path, error);
  if (error || !std::filesystem::is_regular_file(std::filesystem::symlink_status(target, error))) return false;
  const std::string folder = target.parent_path().string();
  return ::access(folder.c_str(), W_OK) != 0 && (errno == EACCES || errno == EPERM);
}

}  // namespace

bool ReplaceFileContents(const std::string& path, std::string_view contents, platform::LinkHandling links) {
  if (platform::ReplaceFile(path, contents, nullptr, links)) return true;
  return FolderRefusesNewFiles(path) && OverwriteInPlace(path, contents);
}

}  // namespace tessarin::settings
