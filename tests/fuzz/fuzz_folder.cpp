#include "fuzz_folder.h"

namespace tessarin::fuzz {

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
