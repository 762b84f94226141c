#pragma once
// Whether a user program may open the files that the folder rules keep from
// it (outside the input file's folder, files it did not write, ...). Reading
// an input file touches no other file without the user knowing: the reader's
// caller answers once per reading, with the first such path and why it needs
// the answer.

#include <string_view>

namespace tessarin::engine {

class FilePermission {
 public:
  virtual ~FilePermission() = default;
  // Asked on the reader's thread with the first such path of a reading and
  // the reason ("it is executable"); the answer holds for every file of that
  // reading.
  [[nodiscard]] virtual bool AllowFiles(std::string_view firstPath, std::string_view reason) = 0;
};

// Allows every file (tessarin-cli with --allow-files).
class AllowingFiles final : public FilePermission {
 public:
  [[nodiscard]] bool AllowFiles(std::string_view, std::string_view) override { return true; }
};

}  // namespace tessarin::engine
