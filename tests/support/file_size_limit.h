#pragma once
// For the length of a scope, no file this process writes may grow past a
// number of bytes: a write beyond fails with the system's "File too large",
// the way a full disk fails it (SIGXFSZ is ignored meanwhile).

#include <sys/resource.h>

#include <csignal>
#include <cstddef>

namespace tessarin::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::size_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  struct rlimit saved_ {};
  void (*previousHandler_)(int) = nullptr;
};

}  // namespace tessarin::testing
