#include "fuzz_folder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace tessarin::fuzz {

FuzzFolder::FuzzFolder() {
  if (::chdir(folder_.path().c_str()) != 0) {
    std::perror(folder_.path().c_str());
    std::abort();
  }
}

std::string FuzzFolder::Write(const std::string& name, const std::uint8_t* data, std::size_t size) const {
  std::string file = folder_.File(name);
  testing::WriteWholeFile(file, std::string(reinterpret_cast<const char*>(data), size));
  return file;
}

FuzzFolder& ProcessFolder() {
  static FuzzFolder folder;
  return folder;
}

}  // namespace tessarin::fuzz
