#include "engine/interruptible_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace tessarin::engine::testing {
namespace {

const std::atomic<bool> kNeverStop{false};

// The orders that hurt simple quicksorts, and plain random ones.
std::vector<int> Pattern(const std::string& kind, int n) {
  std::vector<int> values(static_cast<std::size_t>(n));
  std::mt19937 random(7);
  for (int i = 0; i < n; ++i) {
    if (kind == "random") values[i] = static_cast<int>(random() % 50);
    else if (kind == "sorted") values[i] = i;
    else if (kind == "reversed") values[i] = n - i;
    else if (kind == "equal") values[i] = 3;
    else values[i] = std::min(i, n - i);  // organ pipe
  }
  return values;
}

TEST(InterruptibleSort, SortsLikeTheStandardLibraryWhateverTheOrder) {
  for (const char* kind : {"random", "sorted", "reversed", "equal", "organ"}) {
    for (int n : {0, 1, 2, 16, 17, 100, 1000, 100000}) {
      std::vector<int> values = Pattern(kind, n);
      std::vector<int> expected = values;
      std::sort(expected.begin(), expected.end());
      std::vector<int> heap = values;
      EXPECT_TRUE(SortUnlessStopped(values.data(), n, std::less<int>(), kNeverStop));
      EXPECT_EQ(values, expected) << kind << " " << n;
      // The fallback where the partitions degrade.
      EXPECT_TRUE(sort_detail::HeapSort(heap.data(), n, std::less<int>(), kNeverStop));
      EXPECT_EQ(heap, expected) << kind << " " << n;
    }
  }
}

TEST(InterruptibleSort, NaNGoesAfterEveryNumber) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<double> values;
  for (int i = 0; i < 300; ++i) values.push_back(i % 7 == 0 ? nan : std::sin(i));
  auto less = [](double x, double y) { return x < y || (!std::isnan(x) && std::isnan(y)); };
  ASSERT_TRUE(SortUnlessStopped(values.data(), 300, less, kNeverStop));
  auto firstNaN = std::find_if(values.begin(), values.end(), [](double v) { return std::isnan(v); });
  EXPECT_TRUE(std::is_sorted(values.begin(), firstNaN));
  EXPECT_EQ(std::count_if(firstNaN, values.end(), [](double v) { return std::isnan(v); }), 43);
}

TEST(InterruptibleSort, AStopRequestEndsTheSortWithinOneStretchOfSteps) {
  // The request comes from the comparison itself after a while; a sort
  // that polls gives up within a stretch of 65536 steps and keeps every
  // element.
  constexpr int kCount = 500000;
  constexpr long kComparisonsBeforeStop = 300000;
  for (const char* kind : {"random", "equal", "sorted"}) {
    std::vector<int> values = Pattern(kind, kCount);
    std::vector<int> expected = values;
    std::sort(expected.begin(), expected.end());
    std::atomic<bool> stop{false};
    long comparisons = 0;
    auto less = [&](int x, int y) {
      if (++comparisons == kComparisonsBeforeStop) stop = true;
      return x < y;
    };
    EXPECT_FALSE(SortUnlessStopped(values.data(), kCount, less, stop)) << kind;
    EXPECT_LT(comparisons, kComparisonsBeforeStop + 3 * 65536) << kind;
    std::sort(values.begin(), values.end());
    EXPECT_EQ(values, expected) << kind;
  }
}

}  // namespace
}  // namespace tessarin::engine::testing
