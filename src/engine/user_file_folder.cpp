#include "engine/user_file_folder.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/paths.h"

namespace tessarin::engine {
namespace {

// "/a/./b//c/../d" -> "/a/b/d"; ".." at the root stays there.
std::string Normalized(std::string_view absolute) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= absolute.size()) {
    std::size_t end = absolute.find('/', start);
    if (end == std::string_view::npos) end = absolute.size();
    std::string_view part = absolute.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string result;
  for (std::string_view part : parts) {
    result += '/';
    result += part;
  }
  return result.empty() ? "/" : result;
}

std::string WithoutTrailingSlash(std::string text) {
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

// The path after every link, or empty when some part does not exist.
std::string RealPath(const std::string& path) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return {};
  std::string result(real);
  std::free(real);
  return result;
}

// What an open descriptor really names, from the kernel's own record.
std::string DescriptorPath(int descriptor) {
  std::vector<char> buffer(PATH_MAX + 1);
  std::string link = "/proc/self/fd/" + std::to_string(descriptor);
  ssize_t length = ::readlink(link.c_str(), buffer.data(), buffer.size() - 1);
  if (length <= 0) return {};
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

bool SameFile(int first, int second) {
  struct stat a {}, b {};
  if (first < 0 || second < 0 || ::fstat(first, &a) != 0 || ::fstat(second, &b) != 0) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

int OpenFolder(const std::string& path) { return ::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC); }

std::string ParentOf(const std::string& absolute) {
  std::size_t slash = absolute.rfind('/');
  return slash == 0 ? "/" : absolute.substr(0, slash);
}

std::string NameOf(const std::string& absolute) { return absolute.substr(absolute.rfind('/') + 1); }

// Keeps an open regular file, in blocking mode again; closes anything else.
int KeepRegular(int descriptor) {
  struct stat status {};
  if (descriptor < 0) return -1;
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(descriptor);
    return -1;
  }
  int flags = ::fcntl(descriptor, F_GETFL);
  if (flags >= 0) ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK);
  return descriptor;
}

FileOpening Outside(std::string where) { return {-1, true, std::move(where)}; }

}  // namespace

UserFileFolder::~UserFileFolder() {
  if (folderDescriptor_ >= 0) ::close(folderDescriptor_);
}

void UserFileFolder::Set(std::string_view inputFolder, std::string_view workingFolder) {
  if (folderDescriptor_ >= 0) ::close(folderDescriptor_);
  folderDescriptor_ = -1;
  folder_.clear();
  realFolder_.clear();
  working_ = WithoutTrailingSlash(std::string(workingFolder.empty() ? inputFolder : workingFolder));
  if (working_.empty() || working_[0] != '/') working_ = Normalized(platform::CurrentDirectory() + working_);
  if (inputFolder.empty()) return;
  folder_ = Normalized(Absolute(inputFolder));
  realFolder_ = RealPath(folder_);
  folderDescriptor_ = OpenFolder(folder_);
}

std::string UserFileFolder::Absolute(std::string_view path) const {
  if (!path.empty() && path[0] == '/') return Normalized(path);
  return Normalized(working_ + "/" + std::string(path));
}

bool UserFileFolder::LexicallyInside(std::string_view absolutePath) const {
  for (const std::string& folder : {folder_, realFolder_}) {
    if (folder.empty()) continue;
    if (folder == "/" || absolutePath == folder) return true;
    if (absolutePath.size() > folder.size() && absolutePath.compare(0, folder.size(), folder) == 0 &&
        absolutePath[folder.size()] == '/')
      return true;
  }
  return false;
}

FileOpening UserFileFolder::Open(const std::string& absolutePath, FileAccess access) const {
  // A path that is outside as written is not looked at on the disk at all.
  if (!LexicallyInside(absolutePath)) return Outside(absolutePath);
  return access == FileAccess::kWrite ? OpenForWriting(absolutePath) : OpenForReading(absolutePath);
}

FileOpening UserFileFolder::OpenForWriting(const std::string& absolutePath) const {
  // The folder itself is no file in it.
  if (absolutePath == folder_ || absolutePath == realFolder_) return {};
  std::string parent = ParentOf(absolutePath);
  std::string name = NameOf(absolutePath);
  if (name.empty()) return {};
  int folder = OpenFolder(parent);
  if (folder < 0) return {};
  bool inFolder = SameFile(folder, folderDescriptor_);
  ::close(folder);
  if (!inFolder) return Outside(RealPath(parent) + "/" + name);
  struct stat status {};
  if (::fstatat(folderDescriptor_, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(status.st_mode)) {
    // A link is followed only to a file of the folder itself.
    std::string target = RealPath(absolutePath);
    if (target.empty()) {
      std::vector<char> buffer(PATH_MAX + 1);
      ssize_t length = ::readlinkat(folderDescriptor_, name.c_str(), buffer.data(), buffer.size() - 1);
      std::string text = length > 0 ? std::string(buffer.data(), static_cast<std::size_t>(length)) : name;
      return Outside(text[0] == '/' ? Normalized(text) : Normalized(parent + "/" + text));
    }
    int targetFolder = OpenFolder(ParentOf(target));
    bool targetInFolder = SameFile(targetFolder, folderDescriptor_);
    if (targetFolder >= 0) ::close(targetFolder);
    if (!targetInFolder) return Outside(target);
    name = NameOf(target);
  }
  // A pipe or a device is not opened at all: opening one may wait or act.
  if (::fstatat(folderDescriptor_, name.c_str(), &status, 0) == 0 && !S_ISREG(status.st_mode)) return {};
  // Not emptied before it is known to be a regular file; O_NOFOLLOW refuses
  // a link put in its place meanwhile.
  int descriptor = KeepRegular(
      ::openat(folderDescriptor_, name.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
  if (descriptor >= 0 && ::ftruncate(descriptor, 0) != 0) {
    ::close(descriptor);
    descriptor = -1;
  }
  return {descriptor, false, {}};
}

FileOpening UserFileFolder::OpenForReading(const std::string& absolutePath) const {
  struct stat status {};
  // A pipe or a device is not opened at all: opening one may wait or act.
  if (::stat(absolutePath.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) return {};
  int descriptor = ::open(absolutePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return {};
  std::string real = DescriptorPath(descriptor);
  bool inside = !realFolder_.empty() && (realFolder_ == "/" || (real.size() > realFolder_.size() &&
                                                                 real.compare(0, realFolder_.size(), realFolder_) == 0 &&
                                                                 real[realFolder_.size()] == '/'));
  if (!inside) {
    ::close(descriptor);
    return Outside(real.empty() ? absolutePath : real);
  }
  return {KeepRegular(descriptor), false, {}};
}

int UserFileFolder::OpenAnywhere(const std::string& absolutePath, FileAccess access) {
  struct stat status {};
  if (::stat(absolutePath.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) return -1;
  int flags = access == FileAccess::kWrite ? O_WRONLY | O_CREAT | O_TRUNC : O_RDONLY;
  return KeepRegular(::open(absolutePath.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666));
}

}  // namespace tessarin::engine
