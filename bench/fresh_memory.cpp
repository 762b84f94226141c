// What it costs this machine to make new memory usable: the floor under a
// track reading that keeps a copy, which needs as much new memory as the
// copy takes. Three ways, each in a process of its own that starts after a
// pause (memory freed just before is cheaper to get again, and a reading
// does not find it so):
//   - 2 MB pages, each touched once (how the copy's vertex blocks are got);
//   - 4 KB pages, each touched once;
//   - 4 KB pages filled in by the kernel at once, then touched.
// Prints the wall-clock and processor seconds of each.
//
//   bench_fresh_memory [MEGABYTES]   (default 572: the copy of the 1 GB file)

#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "reading_timing.h"

namespace {

using tessarin::bench::Measure;
using tessarin::bench::Timing;

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14; refused by older kernels
#endif

constexpr std::size_t kSmallPage = 4096;
constexpr std::size_t kHugePage = std::size_t{2} << 20;

void TouchEveryPage(char* memory, std::size_t bytes) {
  volatile char* const pages = memory;
  for (std::size_t at = 0; at < bytes; at += kSmallPage) pages[at] = 1;
}

// Makes `bytes` of new memory usable the given way; false when this system
// cannot do it that way.
bool GetMemory(int way, std::size_t bytes) {
  void* const memory = ::mmap(nullptr, bytes + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) return false;
  const std::size_t misalignment = reinterpret_cast<std::uintptr_t>(memory) % kHugePage;
  char* const start = static_cast<char*>(memory) + (misalignment == 0 ? 0 : kHugePage - misalignment);
  switch (way) {
    case 0:
      ::madvise(start, bytes, MADV_HUGEPAGE);  // only advice: without it, small pages
      break;
    case 1:
      ::madvise(start, bytes, MADV_NOHUGEPAGE);
      break;
    default:
      ::madvise(start, bytes, MADV_NOHUGEPAGE);
      if (::madvise(start, bytes, MADV_POPULATE_WRITE) != 0) return false;
      break;
  }
  TouchEveryPage(start, bytes);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const double megabytes = argc > 1 ? std::atof(argv[1]) : 572;
  if (!(megabytes > 0 && megabytes < 1e6)) {
    std::fputs("usage: bench_fresh_memory [MEGABYTES]\n", stderr);
    return 2;
  }
  const auto bytes = static_cast<std::size_t>(megabytes * 1e6) / kHugePage * kHugePage + kHugePage;
  const char* const kWays[] = {"2 MB pages, touched:        ", "4 KB pages, touched:        ",
                               "4 KB pages, filled, touched:"};
  for (int way = 0; way < 3; ++way) {
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child < 0) return 1;
    if (child == 0) {
      ::sleep(5);
      bool done = false;
      const Timing t = Measure([&] { done = GetMemory(way, bytes); });
      if (done) {
        std::printf("%s %8.3f s wall %8.3f s cpu for %.0f MB\n", kWays[way], t.wall, t.cpu, bytes / 1e6);
      } else {
        std::printf("%s not possible here\n", kWays[way]);
      }
      std::fflush(stdout);
      ::_exit(done ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
  }
  return 0;
}
