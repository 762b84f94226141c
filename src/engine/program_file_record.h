#pragma once
// The files that user programs of one folder wrote, so that a later reading
// may replace them without asking. The record is a dot-file in that folder,
// which user programs never open for writing. A file stays the programs' own
// while it is the same file (device and inode) with the size, modification
// and status-change times it had when a program closed it: a file that the
// user or anything else changed, replaced, renamed or linked since is no
// longer theirs. The status-change time cannot be set from outside, so a
// record that came with a folder from elsewhere names nothing here.

#include <sys/stat.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace tessarin::engine {

inline constexpr std::string_view kProgramFileRecordName = ".tessarin-program-files";

class ProgramFileRecord {
 public:
  // Reads the folder's record. A missing one, one that is no regular file of
  // this user and a garbled one all count as empty; entries whose files are
  // no longer the programs' own are dropped.
  void Load(int folderDescriptor);
  [[nodiscard]] bool Owns(std::string_view name, const struct stat& status) const;
  // A file of the folder that a program has written, as it is now.
  void Note(std::string_view name, const struct stat& status);
  // Replaces the record's file as a whole; false when that failed.
  [[nodiscard]] bool Save(int folderDescriptor) const;

  // The record's text, and the reverse (false, leaving it empty, when the
  // text is not a record).
  [[nodiscard]] std::string Text() const;
  [[nodiscard]] bool Parse(std::string_view text);

 private:
  struct Identity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds
    std::int64_t changed = 0;   // nanoseconds
    bool operator==(const Identity&) const = default;
  };
  static Identity IdentityOf(const struct stat& status);

  std::map<std::string, Identity, std::less<>> files_;
};

}  // namespace tessarin::engine
