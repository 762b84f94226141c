#pragma once
// Every output file tessarin-cli writes, each with the command that writes
// it: the tests that hold all outputs to one rule (a full disk, links in
// place of the output's name) go through this one table, so that a new
// writer joins all of them at once.

#include <string>
#include <vector>

#include "support/test_files.h"

namespace tessarin::testing {

struct OutputWriter {
  const char* command;            // "rt", "tracks draw", ...
  std::vector<std::string> args;  // after the parameter file and "--set 1"
  std::string file;               // the output, in the folder "disk"
};

const std::vector<OutputWriter>& OutputWriters();

// A folder with the demo set, its input file and four hundred tracks, whose
// outputs all go to "disk" (which the test makes: a folder, or a link to a
// small file system). Four hundred tracks make drawings and exports of some
// hundred kilobytes.
class OutputWriterFolder {
 public:
  OutputWriterFolder();
  // The command line of `writer`.
  std::vector<std::string> Args(const OutputWriter& writer) const;
  const std::string& path() const { return folder_.path(); }
  std::string File(const std::string& name) const { return folder_.File(name); }

 private:
  TempDir folder_;
};

}  // namespace tessarin::testing
