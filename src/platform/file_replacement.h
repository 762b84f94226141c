#pragma once
// Writing an output file whole or not at all: the new version grows in a
// temporary file beside the old one and takes its name only when complete,
// so that a full disk or an interrupted command never leaves a truncated
// file where a good one was.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin::platform {

// What becomes of an output name that is a symbolic link. Nothing is ever
// written through one: a folder handed over by someone else may hold
// `case.rt -> ~/.bashrc`.
enum class LinkHandling {
  kRefuse,       // nothing is written; Reason() names the link and its target
  kReplaceLink,  // the user agreed: the link itself gives way to the new file
};

// What `path` points to when it is a symbolic link (as written in the link,
// made absolute against the link's folder); nothing when it is no link.
std::optional<std::string> SymbolicLinkTarget(const std::string& path);

class FileReplacement {
 public:
  // Starts the new version of `path`. Failed() tells whether that worked.
  explicit FileReplacement(std::string path, LinkHandling links = LinkHandling::kRefuse);
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
  // Everything of Commit but the final rename: the new version is whole on
  // the disk, so that several files can be put in place together or not at
  // all. Commit then only renames.
  [[nodiscard]] bool Prepare();
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
  std::string target_;     // the name replaced
  std::string temporary_;  // empty once renamed or removed
  int fd_ = -1;
  bool replacesFile_ = false;
  bool prepared_ = false;
  unsigned existingMode_ = 0;
  std::vector<char> buffer_;
  std::string reason_;
};

// The whole of `contents` as the new version of `path`. False on failure,
// with the system's reason in `reason` when given.
[[nodiscard]] bool ReplaceFile(const std::string& path, std::string_view contents, std::string* reason = nullptr,
                               LinkHandling links = LinkHandling::kRefuse);

}  // namespace tessarin::platform
