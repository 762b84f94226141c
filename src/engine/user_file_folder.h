#pragma once
// Where the user programs of one reading may open files without asking. They
// read in the input file's folder and its subfolders. They write only
// directly in that folder, and there only new files and the files that user
// programs of the folder wrote before (kept in a record there); not in the
// home folder, the root or a folder of the system, not names that begin with
// a dot, and no file that is executable or has more than one name. A path
// counts by what it really names, after every symbolic link; each check is
// made on the file actually opened, so that a link swapped in between cannot
// lead elsewhere. Relative paths start in the folder the simulator runs in.

#include <sys/stat.h>

#include <string>
#include <string_view>

#include "engine/program_file_record.h"

namespace tessarin::engine {

enum class FileAccess { kWrite, kRead };

// Why a file needs the user's yes before a program may open it.
enum class FileNeed {
  kNothing,
  kOutsideFolder,
  kProtectedFolder,
  kDotName,
  kNotProgramsOwn,
  kExecutable,
  kHardLinks,
};

struct FileOpening {
  int descriptor = -1;  // open, when >= 0
  // Not opened without the user's yes; `where` is the file it would be.
  FileNeed need = FileNeed::kNothing;
  std::string where;
  bool created = false;
  // The file does not exist and opening was not to create it.
  bool creationRefused = false;
  // The file's name in the folder, when it counts as the programs' own once
  // it is closed.
  std::string recordName;
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

  // A regular file in the folder (kWrite: created when `mayCreate`, or
  // emptied once it is known to be the programs' own) or in its tree
  // (kRead, read only). A file that needs the yes is not opened.
  FileOpening Open(const std::string& absolutePath, FileAccess access, bool mayCreate = true);

  // Any regular file, once the user has allowed it; never the record.
  static FileOpening OpenAnywhere(const std::string& absolutePath, FileAccess access, bool mayCreate = true);

  // A file of the folder that a program wrote (its `recordName`), as it is
  // now. The record is saved when the folder changes or goes, once per
  // reading however many files it wrote.
  void NoteWritten(const std::string& name, const struct stat& status);

 private:
  [[nodiscard]] bool LexicallyInside(std::string_view absolutePath) const;
  FileOpening OpenForWriting(const std::string& absolutePath, bool mayCreate);
  FileOpening OpenForReading(const std::string& absolutePath) const;
  FileOpening OpenNamed(const std::string& name, bool mayCreate);
  std::string PathOf(const std::string& name) const;
  FileNeed NeedOfExisting(const std::string& name, int descriptor);
  ProgramFileRecord& Record();
  void SaveRecord();

  std::string folder_;      // as given, absolute, without the trailing slash
  std::string realFolder_;  // after every link
  std::string working_;
  int folderDescriptor_ = -1;
  bool protected_ = false;
  bool recordLoaded_ = false;
  bool recordChanged_ = false;
  ProgramFileRecord record_;
};

}  // namespace tessarin::engine
