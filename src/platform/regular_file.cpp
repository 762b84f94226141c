#include "platform/regular_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace tessarin::platform {
namespace {

// Empty when `path` is a regular file, else why it cannot be read as one.
std::string WhyNotRegular(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::strerror(errno);
  if (S_ISDIR(status.st_mode)) return "it is a folder";
  if (!S_ISREG(status.st_mode)) return "it is not a regular file";
  return {};
}

}  // namespace

bool IsRegularFile(const std::string& path) { return WhyNotRegular(path).empty(); }

bool OpenRegularFile(const std::string& path, std::ifstream& stream, std::string* reason) {
  std::string why = WhyNotRegular(path);
  if (why.empty()) {
    errno = 0;
    stream.open(path, std::ios::in | std::ios::binary);
    if (stream.is_open()) return true;
    why = errno != 0 ? std::strerror(errno) : "it cannot be opened";
  }
  if (reason != nullptr) *reason = std::move(why);
  return false;
}

}  // namespace tessarin::platform
