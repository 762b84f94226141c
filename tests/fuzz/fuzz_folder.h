#pragma once
// A private folder for one fuzzing process, for readers that take a path:
// the fuzzed bytes are written to a file in it.

#include <cstddef>
#include <cstdint>
#include <string>

#include "support/test_files.h"

namespace tessarin::fuzz {

class FuzzFolder {
 public:
  // The folder, ending with a slash.
  const std::string& path() const { return folder_.path(); }

  // Writes the bytes as the file `name` in the folder; returns its path.
  std::string Write(const std::string& name, const std::uint8_t* data, std::size_t size) const;

 private:
  testing::TempDir folder_;
};

// The one folder of this process, created on first use and removed when the
// process ends normally.
FuzzFolder& ProcessFolder();

}  // namespace tessarin::fuzz
