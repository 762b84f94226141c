#pragma once
// A private folder for one fuzzing process, for readers that take a path:
// the fuzzed bytes are written to a file in its subfolder "in/", which is
// also where relative paths start, so that the user programs of a fuzzed
// input write there. Anything that appears beside "in/" got out of it.

#include <cstddef>
#include <cstdint>
#include <string>

#include "support/test_files.h"

namespace tessarin::fuzz {

class FuzzFolder {
 public:
  FuzzFolder();

  // The input folder, ending with a slash.
  const std::string& path() const { return in_; }

  // Writes the bytes as the file `name` in the input folder; returns its path.
  std::string Write(const std::string& name, const std::uint8_t* data, std::size_t size) const;

  // Whether anything but the input folder is in the private folder.
  bool SomethingGotOut() const;

  // Removes everything but the file `keep` from the input folder, so that
  // what the programs of many inputs write does not pile up.
  void ClearExcept(const std::string& keep) const;

 private:
  testing::TempDir root_;
  std::string in_;
};

// The one folder of this process, created on first use and removed when the
// process ends normally.
FuzzFolder& ProcessFolder();

}  // namespace tessarin::fuzz
