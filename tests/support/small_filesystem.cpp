#include "support/small_filesystem.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace tessarin::testing {

SmallFilesystem::SmallFilesystem(std::size_t bytes) {
  const std::string options = "size=" + std::to_string(bytes);
  if (::mount("tessarin-test", folder_.path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0)
    mounted_ = true;
  else
    failure_ = std::string("no tmpfs could be mounted here: ") + std::strerror(errno);
}

SmallFilesystem::~SmallFilesystem() {
  // Lazily, so that a file a failed test left open cannot keep it mounted.
  if (mounted_) ::umount2(folder_.path().c_str(), MNT_DETACH);
}

void SmallFilesystem::Fill() {
  const int fd = ::open(File("filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return;
  const std::vector<char> block(4096, 'x');
  for (std::size_t size = block.size(); size > 0; size /= 2)
    while (::write(fd, block.data(), size) == static_cast<ssize_t>(size)) {
    }
  ::close(fd);
}

}  // namespace tessarin::testing
