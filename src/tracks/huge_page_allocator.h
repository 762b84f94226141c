#pragma once
// An allocator for arrays of megabytes that are filled once and read many
// times: it asks the kernel for 2 MB pages, so that filling a gigabyte costs
// a few hundred page faults instead of a quarter of a million (each one
// expensive on virtual machines).

#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>
#include <new>

namespace tessarin::tracks {

template <typename T>
class HugePageAllocator {
 public:
  using value_type = T;
  static constexpr std::size_t kHugePage = std::size_t{2} << 20;

  HugePageAllocator() = default;
  template <typename U>
  HugePageAllocator(const HugePageAllocator<U>&) {}

  T* allocate(std::size_t count) {
    const std::size_t bytes = count * sizeof(T);
    // Other sizes would waste the rest of their last huge page.
    if (!InHugePages(bytes)) return static_cast<T*>(::operator new(bytes));
    void* memory = std::aligned_alloc(kHugePage, bytes);
    if (memory == nullptr) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    ::madvise(memory, bytes, MADV_HUGEPAGE);  // only advice: without it, small pages
#endif
    return static_cast<T*>(memory);
  }

  void deallocate(T* memory, std::size_t count) {
    if (!InHugePages(count * sizeof(T))) {
      ::operator delete(memory);
    } else {
      std::free(memory);
    }
  }

  [[nodiscard]] static bool InHugePages(std::size_t bytes) { return bytes >= kHugePage && bytes % kHugePage == 0; }

  template <typename U>
  bool operator==(const HugePageAllocator<U>&) const {
    return true;
  }
};

}  // namespace tessarin::tracks
