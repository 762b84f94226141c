#pragma once
// Whether a user program may open files outside the input file's folder.
// Reading an input file touches no other file without the user knowing: the
// reader's caller answers once per reading, with the first such path.

#include <string_view>

namespace tessarin::engine {

class FilePermission {
 public:
  virtual ~FilePermission() = default;
  // Asked on the reader's thread with the first path of a reading that lies
  // outside the folder; the answer holds for every file of that reading.
  [[nodiscard]] virtual bool AllowFilesOutside(std::string_view firstPath) = 0;
};

// Allows every file (tessarin-cli with --allow-files).
class AllowingFiles final : public FilePermission {
 public:
  [[nodiscard]] bool AllowFilesOutside(std::string_view) override { return true; }
};

}  // namespace tessarin::engine
