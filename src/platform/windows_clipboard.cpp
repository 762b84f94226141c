#include "platform/windows_clipboard.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace tessarin::platform {

bool CopyFileToClipboard(const std::string& path, Clipboard& clipboard) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return false;
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return false;
  long size = std::ftell(file.get());
  if (size < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return false;
  std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
  std::size_t read = std::fread(buffer.data(), 1, buffer.size(), file.get());
  // A file that changed size while we read is not copied half.
  if (read != static_cast<std::size_t>(size)) return false;
  std::string_view text(buffer.data(), read);
  text = text.substr(0, text.find('\0'));
  return clipboard.SetText(text);
}

}  // namespace tessarin::platform
