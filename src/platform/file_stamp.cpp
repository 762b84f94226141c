#include "platform/file_stamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>

namespace tessarin::platform {

namespace {

// FNV-1a: enough to see that contents differ, where no one is adversarial.
constexpr std::uint64_t kHashStart = 14695981039346656037ull;
constexpr std::uint64_t kHashFactor = 1099511628211ull;

}  // namespace

FileStamp StampFile(const std::string& path) {
  FileStamp stamp;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return stamp;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return stamp;
  }
  stamp.exists = true;
  stamp.size = static_cast<std::uint64_t>(info.st_size);
  stamp.modifiedNanoseconds = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  std::uint64_t hash = kHashStart;
  std::array<unsigned char, 1 << 16> buffer;
  ssize_t count = 0;
  while ((count = ::read(fd, buffer.data(), buffer.size())) > 0)
    for (ssize_t i = 0; i < count; ++i) hash = (hash ^ buffer[static_cast<std::size_t>(i)]) * kHashFactor;
  stamp.contentHash = hash;
  ::close(fd);
  return stamp;
}

bool ChangedSince(const FileStamp& then, const FileStamp& now) {
  if (!now.exists) return false;
  if (!then.exists) return true;
  if (now.size != then.size) return true;
  return now.contentHash != then.contentHash;
}

}  // namespace tessarin::platform
