#pragma once
// What a file on disk was like when a program last read or wrote it, so
// that a later save can tell whether another program has changed it since.

#include <cstdint>
#include <string>

namespace tessarin::platform {

struct FileStamp {
  bool exists = false;
  std::uint64_t size = 0;
  std::int64_t modifiedNanoseconds = 0;
  std::uint64_t contentHash = 0;  // of every byte
};

// The file as it is now; a missing or unreadable file does not exist.
FileStamp StampFile(const std::string& path);

// Whether the file stamped `now` holds something other than it did when
// stamped `then`. A new time alone (a file saved again unchanged) is no
// change: nothing would be lost by writing over it; a file that is gone
// lost nothing either.
[[nodiscard]] bool ChangedSince(const FileStamp& then, const FileStamp& now);

}  // namespace tessarin::platform
