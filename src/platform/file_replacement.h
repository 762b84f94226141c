#pragma once
// Writing an output file whole or not at all: the new version grows in a
// temporary file beside the old one and takes its name only when complete,
// so that a full disk or an interrupted command never leaves a truncated
// file where a good one was.

#include <string>
#include <string_view>
#include <vector>

namespace tessarin::platform {

class FileReplacement {
 public:
  // Starts the new version of `path`. A symbolic link is followed, so the
  // file it names is replaced. Failed() tells whether that worked.
  explicit FileReplacement(std::string path);
  // Removes the temporary file unless the new version was committed.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Appends to the new version; false once anything has failed (later
  // writes are then ignored, so a long writer may check at its end).
  bool Write(std::string_view bytes);
  // Puts the new version in place of the old one, which keeps its
  // permissions; false (and the old file untouched) when anything failed.
  [[nodiscard]] bool Commit();
  // Gives up the new version; the old file stays as it was.
  void Discard();

  [[nodiscard]] bool Failed() const { return !reason_.empty(); }
  // Why it failed, in the system's words ("No space left on device").
  const std::string& Reason() const { return reason_; }
  const std::string& Path() const { return path_; }

 private:
  bool Flush();
  void Fail(int error);

  std::string path_;       // as given
  std::string target_;     // the file replaced, after links
  std::string temporary_;  // empty once renamed or removed
  int fd_ = -1;
  bool replacesFile_ = false;
  unsigned existingMode_ = 0;
  std::vector<char> buffer_;
  std::string reason_;
};

// The whole of `contents` as the new version of `path`. False on failure,
// with the system's reason in `reason` when given.
[[nodiscard]] bool ReplaceFile(const std::string& path, std::string_view contents, std::string* reason = nullptr);

}  // namespace tessarin::platform
