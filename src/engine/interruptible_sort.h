#pragma once
// Sorting that gives up when asked to stop, for arrays big enough to sort
// for seconds: an introsort (quicksort on a median-of-three pivot, heapsort
// where the partitions degrade, insertion sort for short runs) that looks at
// the stop flag every 65536 steps of a partition or of the heap. A stopped
// sort leaves the elements in some order.

#include <atomic>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace tessarin::engine {

namespace sort_detail {

inline constexpr std::int64_t kShortRun = 16;
inline constexpr std::int64_t kStepsBetweenChecks = 0xFFFF;

template <typename T, typename Less>
void InsertionSort(T* a, std::int64_t n, Less less) {
  for (std::int64_t i = 1; i < n; ++i) {
    T value = a[i];
    std::int64_t j = i;
    for (; j > 0 && less(value, a[j - 1]); --j) a[j] = a[j - 1];
    a[j] = value;
  }
}

template <typename T, typename Less>
void SiftDown(T* a, std::int64_t root, std::int64_t end, Less less) {
  for (;;) {
    std::int64_t child = 2 * root + 1;
    if (child >= end) return;
    if (child + 1 < end && less(a[child], a[child + 1])) ++child;
    if (!less(a[root], a[child])) return;
    std::swap(a[root], a[child]);
    root = child;
  }
}

template <typename T, typename Less>
[[nodiscard]] bool HeapSort(T* a, std::int64_t n, Less less, const std::atomic<bool>& stop) {
  for (std::int64_t start = n / 2 - 1; start >= 0; --start) {
    SiftDown(a, start, n, less);
    if ((start & kStepsBetweenChecks) == 0 && stop.load(std::memory_order_relaxed)) return false;
  }
  for (std::int64_t end = n - 1; end > 0; --end) {
    std::swap(a[0], a[end]);
    SiftDown(a, 0, end, less);
    if ((end & kStepsBetweenChecks) == 0 && stop.load(std::memory_order_relaxed)) return false;
  }
  return true;
}

// Hoare's partition around the middle element (after ordering the first,
// middle and last): afterwards no element of a[0..j] is above one of
// a[j+1..n-1], and both parts are shorter than n. -1 when it stopped first
// (the elements are then still all there).
template <typename T, typename Less>
std::int64_t Partition(T* a, std::int64_t n, Less less, const std::atomic<bool>& stop) {
  std::int64_t middle = (n - 1) / 2;
  if (less(a[middle], a[0])) std::swap(a[middle], a[0]);
  if (less(a[n - 1], a[middle])) std::swap(a[n - 1], a[middle]);
  if (less(a[middle], a[0])) std::swap(a[middle], a[0]);
  T pivot = a[middle];
  std::int64_t i = -1, j = n;
  std::int64_t steps = 0;
  auto stopping = [&] { return (++steps & kStepsBetweenChecks) == 0 && stop.load(std::memory_order_relaxed); };
  for (;;) {
    do {
      if (stopping()) return -1;
      ++i;
    } while (less(a[i], pivot));
    do {
      if (stopping()) return -1;
      --j;
    } while (less(pivot, a[j]));
    if (i >= j) return j;
    std::swap(a[i], a[j]);
  }
}

}  // namespace sort_detail

// Sorts a[0..n-1] ascending by `less` (a strict weak order); false when it
// stopped first.
template <typename T, typename Less>
bool SortUnlessStopped(T* a, std::int64_t n, Less less, const std::atomic<bool>& stop) {
  using namespace sort_detail;
  struct Part {
    T* first;
    std::int64_t length;
    int depthLeft;
  };
  std::vector<Part> pending;
  Part part{a, n, n > 1 ? 2 * static_cast<int>(std::log2(static_cast<double>(n))) : 0};
  for (;;) {
    while (part.length > kShortRun) {
      if (stop.load(std::memory_order_relaxed)) return false;
      if (part.depthLeft == 0) {
        if (!HeapSort(part.first, part.length, less, stop)) return false;
        part.length = 0;
        break;
      }
      std::int64_t last = Partition(part.first, part.length, less, stop);
      if (last < 0) return false;
      std::int64_t split = last + 1;
      Part low{part.first, split, part.depthLeft - 1};
      Part high{part.first + split, part.length - split, part.depthLeft - 1};
      // The longer part waits, so that at most log2(n) parts wait at once.
      if (low.length < high.length) std::swap(low, high);
      pending.push_back(low);
      part = high;
    }
    InsertionSort(part.first, part.length, less);
    if (pending.empty()) return true;
    part = pending.back();
    pending.pop_back();
  }
}

}  // namespace tessarin::engine
