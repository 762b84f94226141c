#pragma once
// A small file system of its own (tmpfs) mounted in a temporary folder, for
// tests of what happens when the disk is full; unmounted again at the end.
// Mounting needs the super-user: where it is not permitted the test says so
// and skips.

#include <cstddef>
#include <string>

#include "support/test_files.h"

namespace tessarin::testing {

class SmallFilesystem {
 public:
  explicit SmallFilesystem(std::size_t bytes);
  ~SmallFilesystem();
  SmallFilesystem(const SmallFilesystem&) = delete;
  SmallFilesystem& operator=(const SmallFilesystem&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& Failure() const { return failure_; }
  // The mounted folder, ending with a slash.
  const std::string& path() const { return folder_.path(); }
  std::string File(const std::string& name) const { return folder_.File(name); }
  // Fills what is left with one file, so that the next write fails.
  void Fill();

 private:
  TempDir folder_;
  bool mounted_ = false;
  std::string failure_;
};

}  // namespace tessarin::testing
