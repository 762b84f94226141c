#include "platform/windows_clipboard.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace tessarin::platform {

bool CopyFileToClipboard(const std::string& path, Clipboard& clipboard) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return false;
  // A folder opens too, and reports a size that no buffer can hold.
  struct stat info {};
  if (::fstat(::fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  auto size = static_cast<std::size_t>(info.st_size);
  std::vector<char> buffer(size + 1);
  std::size_t read = std::fread(buffer.data(), 1, buffer.size(), file.get());
  // A file that changed size while we read is not copied half.
  if (read != size) return false;
  std::string_view text(buffer.data(), read);
  text = text.substr(0, text.find('\0'));
  return clipboard.SetText(text);
}

}  // namespace tessarin::platform
