#include "engine/user_file_folder.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "engine/protected_folders.h"
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

FileOpening Needing(FileNeed need, std::string where) {
  FileOpening opening;
  opening.need = need;
  opening.where = std::move(where);
  return opening;
}

FileOpening Outside(std::string where) { return Needing(FileNeed::kOutsideFolder, std::move(where)); }

}  // namespace

UserFileFolder::~UserFileFolder() {
  SaveRecord();
  if (folderDescriptor_ >= 0) ::close(folderDescriptor_);
}

void UserFileFolder::Set(std::string_view inputFolder, std::string_view workingFolder) {
  SaveRecord();
  if (folderDescriptor_ >= 0) ::close(folderDescriptor_);
  folderDescriptor_ = -1;
  protected_ = false;
  recordLoaded_ = false;
  record_ = ProgramFileRecord();
  folder_.clear();
  realFolder_.clear();
  working_ = WithoutTrailingSlash(std::string(workingFolder.empty() ? inputFolder : workingFolder));
  if (working_.empty() || working_[0] != '/') working_ = Normalized(platform::CurrentDirectory() + working_);
  if (inputFolder.empty()) return;
  folder_ = Normalized(Absolute(inputFolder));
  realFolder_ = RealPath(folder_);
  folderDescriptor_ = OpenFolder(folder_);
  protected_ = IsProtectedFolder(folder_) || (!realFolder_.empty() && IsProtectedFolder(realFolder_));
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

FileOpening UserFileFolder::Open(const std::string& absolutePath, FileAccess access, bool mayCreate) {
  // A path that is outside as written is not looked at on the disk at all.
  if (!LexicallyInside(absolutePath)) return Outside(absolutePath);
  return access == FileAccess::kWrite ? OpenForWriting(absolutePath, mayCreate) : OpenForReading(absolutePath);
}

FileOpening UserFileFolder::OpenForWriting(const std::string& absolutePath, bool mayCreate) {
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
  if (protected_) return Needing(FileNeed::kProtectedFolder, PathOf(name));
  if (name[0] == '.') return Needing(FileNeed::kDotName, PathOf(name));
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
    if (name[0] == '.') return Needing(FileNeed::kDotName, PathOf(name));
  }
  return OpenNamed(name, mayCreate);
}

std::string UserFileFolder::PathOf(const std::string& name) const {
  return folder_ == "/" ? "/" + name : folder_ + "/" + name;
}

FileNeed UserFileFolder::NeedOfExisting(const std::string& name, int descriptor) {
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) return FileNeed::kNotProgramsOwn;
  if ((status.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0) return FileNeed::kExecutable;
  // Written in place, every other name of the file would change too.
  if (status.st_nlink > 1) return FileNeed::kHardLinks;
  return Record().Owns(name, status) ? FileNeed::kNothing : FileNeed::kNotProgramsOwn;
}

FileOpening UserFileFolder::OpenNamed(const std::string& name, bool mayCreate) {
  std::string where = PathOf(name);
  // A second round only when a file appeared between the look and the creation.
  for (int round = 0; round < 2; ++round) {
    struct stat status {};
    if (::fstatat(folderDescriptor_, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
      // A pipe or a device is not opened at all: opening one may wait or act.
      // O_NOFOLLOW refuses a link put in the file's place meanwhile.
      if (!S_ISREG(status.st_mode)) return {};
      int descriptor =
          KeepRegular(::openat(folderDescriptor_, name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
      if (descriptor < 0) return {};
      // Not emptied before it is known to be the programs' own.
      FileNeed need = NeedOfExisting(name, descriptor);
      if (need != FileNeed::kNothing || ::ftruncate(descriptor, 0) != 0) {
        ::close(descriptor);
        return need == FileNeed::kNothing ? FileOpening{} : Needing(need, where);
      }
      FileOpening opening;
      opening.descriptor = descriptor;
      opening.recordName = name;
      return opening;
    }
    if (errno != ENOENT) return {};
    if (!mayCreate) {
      FileOpening refused;
      refused.creationRefused = true;
      refused.where = where;
      return refused;
    }
    int descriptor = ::openat(folderDescriptor_, name.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descriptor >= 0) {
      FileOpening opening;
      opening.descriptor = KeepRegular(descriptor);
      opening.created = opening.descriptor >= 0;
      opening.recordName = name;
      return opening;
    }
    if (errno != EEXIST) return {};
  }
  return {};
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
  FileOpening opening;
  opening.descriptor = KeepRegular(descriptor);
  return opening;
}

FileOpening UserFileFolder::OpenAnywhere(const std::string& absolutePath, FileAccess access, bool mayCreate) {
  struct stat status {};
  if (::stat(absolutePath.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) return {};
  FileOpening opening;
  if (access == FileAccess::kRead) {
    opening.descriptor = KeepRegular(::open(absolutePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    return opening;
  }
  int descriptor = ::open(absolutePath.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0 && errno == ENOENT) {
    if (!mayCreate) {
      opening.creationRefused = true;
      opening.where = absolutePath;
      return opening;
    }
    // Through a dangling link too, as the user allowed.
    descriptor = ::open(absolutePath.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    opening.created = descriptor >= 0;
  }
  descriptor = KeepRegular(descriptor);
  if (descriptor < 0) return {};
  // Not even a yes lets a program write the record of the programs' files,
  // under whatever name it reaches it.
  std::string real = DescriptorPath(descriptor);
  bool record = NameOf(real).starts_with(kProgramFileRecordName);
  if (record && opening.created) ::unlink(real.c_str());
  if (record || ::ftruncate(descriptor, 0) != 0) {
    ::close(descriptor);
    return {};
  }
  opening.descriptor = descriptor;
  return opening;
}

void UserFileFolder::NoteWritten(const std::string& name, const struct stat& status) {
  Record().Note(name, status);
  recordChanged_ = true;
}

void UserFileFolder::SaveRecord() {
  // A record that cannot be saved only means its files need the yes next time.
  if (recordChanged_) static_cast<void>(record_.Save(folderDescriptor_));
  recordChanged_ = false;
}

ProgramFileRecord& UserFileFolder::Record() {
  if (!recordLoaded_) record_.Load(folderDescriptor_);
  recordLoaded_ = true;
  return record_;
}

}  // namespace tessarin::engine
