#pragma once
// Where the user programs of one reading may open files without asking: they
// write in the input file's folder and read in it and its subfolders. A path
// counts by what it really names, after every symbolic link; each check is
// made on the file actually opened, so that a link swapped in between cannot
// lead elsewhere. Relative paths start in the folder the simulator runs in.

#include <string>
#include <string_view>

namespace tessarin::engine {

enum class FileAccess { kWrite, kRead };

struct FileOpening {
  int descriptor = -1;  // open, when >= 0
  // The path leads outside the folder; `where` is where it leads.
  bool outside = false;
  std::string where;
};

class UserFileFolder {
 public:
  UserFileFolder() = default;
  ~UserFileFolder();
  UserFileFolder(const UserFileFolder&) = delete;
  UserFileFolder& operator=(const UserFileFolder&) = delete;

  // Without a folder every path is outside. An empty working folder means
  // the input file's folder.
  void Set(std::string_view inputFolder, std::string_view workingFolder);
  const std::string& Folder() const { return folder_; }

  // The absolute form of a path a program names, with "." and ".." taken
  // out as written.
  std::string Absolute(std::string_view path) const;

  // A regular file in the folder (kWrite: created, or emptied once it is
  // known to be in the folder) or in its tree (kRead, read only). A path
  // that leads outside is not opened.
  FileOpening Open(const std::string& absolutePath, FileAccess access) const;

  // Any regular file, once the user has allowed files outside the folder.
  static int OpenAnywhere(const std::string& absolutePath, FileAccess access);

 private:
  [[nodiscard]] bool LexicallyInside(std::string_view absolutePath) const;
  FileOpening OpenForWriting(const std::string& absolutePath) const;
  FileOpening OpenForReading(const std::string& absolutePath) const;

  std::string folder_;      // as given, absolute, without the trailing slash
  std::string realFolder_;  // after every link
  std::string working_;
  int folderDescriptor_ = -1;
};

}  // namespace tessarin::engine
