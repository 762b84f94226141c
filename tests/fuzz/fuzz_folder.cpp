#include "fuzz_folder.h"

#include <filesystem>

namespace tessarin::fuzz {

FuzzFolder::FuzzFolder() : in_(root_.File("in/")) { std::filesystem::create_directory(in_); }

std::string FuzzFolder::Write(const std::string& name, const std::uint8_t* data, std::size_t size) const {
  std::string file = in_ + name;
  testing::WriteWholeFile(file, std::string(reinterpret_cast<const char*>(data), size));
  return file;
}

bool FuzzFolder::SomethingGotOut() const {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(root_.path(), error))
    if (entry.path().filename() != "in") return true;
  return false;
}

void FuzzFolder::ClearExcept(const std::string& keep) const {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(in_, error))
    if (entry.path().filename() != keep) std::filesystem::remove_all(entry.path(), error);
}

FuzzFolder& ProcessFolder() {
  static FuzzFolder folder;
  return folder;
}

}  // namespace tessarin::fuzz
