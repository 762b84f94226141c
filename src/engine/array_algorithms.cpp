#include "engine/array_algorithms.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "engine/interruptible_sort.h"

namespace tessarin::engine {
namespace {

// The number at the start of a token, a comma directly after its digits
// read as the decimal point; 0 when the token has none.
double TokenNumber(std::string token) {
  const char* text = token.c_str();
  char* end = nullptr;
  std::strtod(text, &end);
  std::size_t used = static_cast<std::size_t>(end - text);
  if (used > 0 && used < token.size() && token[used] == ',') token[used] = '.';
  double value = std::strtod(token.c_str(), &end);
  return end == token.c_str() ? 0.0 : value;
}

template <typename T>
T* Typed(const ArrayRun& run) {
  return reinterpret_cast<T*>(run.array->Element(run.offset));
}

// Ascending, NaN after every number; the same for every element type.
template <typename T>
bool Less(T x, T y) {
  if constexpr (std::is_floating_point_v<T>) {
    return x < y || (!std::isnan(x) && std::isnan(y));
  } else {
    return x < y;
  }
}

// Calls visit with a value of the element type's C++ type.
template <typename Visit>
auto WithElementType(ElementType type, Visit visit) {
  switch (type) {
    case ElementType::kFloat: return visit(float{});
    case ElementType::kInt: return visit(std::int32_t{});
    case ElementType::kUint: return visit(std::uint32_t{});
    case ElementType::kInt2: return visit(std::int16_t{});
    case ElementType::kUint2: return visit(std::uint16_t{});
    case ElementType::kInt1: return visit(std::int8_t{});
    case ElementType::kUint1: return visit(std::uint8_t{});
    default: return visit(double{});
  }
}

bool Stopping(std::int64_t step, const std::atomic<bool>& stop) {
  return (step & 0xFFFF) == 0 && stop.load(std::memory_order_relaxed);
}

}  // namespace

std::int64_t PartDimensionLength(const ArrayRun& run, double k, int indexBase) {
  const ArrayRecord& array = *run.array;
  std::int64_t position = IndexPosition(k, indexBase);
  if (position < 0 || position >= array.dimensions - run.fixed) return 0;
  int dimension = run.fixed + static_cast<int>(position);
  std::int64_t length = array.lengths[dimension];
  if (position == 0) length -= (run.offset / array.strides[dimension]) % array.lengths[dimension];
  return length;
}

double FindInterval(const ArrayRun& run, std::int64_t n, double x, double guess, int indexBase, bool bisect,
                    const std::atomic<bool>& stop) {
  if (std::isnan(x)) return x;
  if (x < run.Get(0)) return -1.0 + indexBase;
  if (x >= run.Get(n - 1)) return static_cast<double>(n - 1 + indexBase);
  std::int64_t hint = IndexPosition(guess, indexBase);
  if (hint < 0 || hint >= n) hint = n / 2;
  if (bisect) {
    // Invariant: element lo <= x < element hi.
    std::int64_t lo = 0, hi = n - 1;
    if (run.Get(hint) <= x) {
      lo = std::max(lo, hint);
    } else {
      hi = hint;
    }
    while (hi - lo > 1) {
      std::int64_t mid = lo + (hi - lo) / 2;
      double element = run.Get(mid);
      if (element == x) return static_cast<double>(mid + indexBase);
      if (element < x) {
        lo = mid;
      } else {
        hi = mid;
      }
    }
    return static_cast<double>(lo + indexBase);
  }
  std::int64_t i = std::min(hint, n - 2);
  while (i > 0 && x < run.Get(i) && !Stopping(i, stop)) --i;
  while (i < n - 2 && x >= run.Get(i + 1) && !Stopping(i, stop)) ++i;
  return static_cast<double>(i + indexBase);
}

bool Histogram(const ArrayRun& data, std::int64_t values, const ArrayRun& edges, const ArrayRun& counts,
               bool accumulate, std::int64_t& counted, const std::atomic<bool>& stop) {
  std::int64_t bins = std::min(edges.length, counts.length);
  for (std::int64_t g = 1; g < bins; ++g)
    if (!(edges.Get(g - 1) < edges.Get(g))) return false;
  if (!accumulate)
    for (std::int64_t g = 0; g < bins; ++g) counts.Set(g, 0.0);
  counted = 0;
  for (std::int64_t i = 0; i < values && !Stopping(i + 1, stop); ++i) {
    double v = data.Get(i);
    // The first bin whose edge is not below v.
    std::int64_t lo = 0, hi = bins;
    while (lo < hi) {
      std::int64_t mid = lo + (hi - lo) / 2;
      if (v <= edges.Get(mid)) {
        hi = mid;
      } else {
        lo = mid + 1;
      }
    }
    if (lo < bins && v <= edges.Get(lo)) {
      counts.Set(lo, counts.Get(lo) + 1.0);
      ++counted;
    }
  }
  return true;
}

std::int64_t ReadNumbers(UserFiles& files, const ArrayRun& run, std::int64_t count, const std::atomic<bool>& stop) {
  std::int64_t stored = 0;
  std::string line;
  while (stored < count && !stop.load(std::memory_order_relaxed) && files.ReadLine(line)) {
    std::size_t at = 0;
    while (stored < count) {
      at = line.find_first_not_of(" \t\r\n", at);
      if (at == std::string::npos) break;
      std::size_t end = line.find_first_of(" \t\r\n", at);
      if (end == std::string::npos) end = line.size();
      run.Set(stored++, TokenNumber(line.substr(at, end - at)));
      at = end;
    }
  }
  return stored;
}

void SortRun(const ArrayRun& run, const std::atomic<bool>& stop) {
  WithElementType(run.array->type, [&](auto tag) {
    using T = decltype(tag);
    SortUnlessStopped(Typed<T>(run), run.length, Less<T>, stop);
  });
}

std::uint64_t SortWithIndexWorkBytes(const ArrayRun& run) {
  return static_cast<std::uint64_t>(run.length) * static_cast<std::uint64_t>(ElementSize(run.array->type));
}

bool SortWithIndex(const ArrayRun& run, const ArrayRun& index, int indexBase, const std::atomic<bool>& stop) {
  return WithElementType(run.array->type, [&](auto tag) {
    using T = decltype(tag);
    auto n = static_cast<std::size_t>(run.length);
    std::unique_ptr<T[]> values(new (std::nothrow) T[n]);
    if (!values) return false;
    std::memcpy(values.get(), Typed<T>(run), n * sizeof(T));
    // The positions are sorted in the index array itself, by the values
    // they point at; then the values follow them.
    std::int32_t* positions = Typed<std::int32_t>(index);
    for (std::size_t k = 0; k < n; ++k) positions[k] = static_cast<std::int32_t>(k);
    auto byValue = [&values](std::int32_t x, std::int32_t y) { return Less<T>(values[x], values[y]); };
    if (!SortUnlessStopped(positions, run.length, byValue, stop)) return true;
    T* sorted = Typed<T>(run);
    for (std::size_t k = 0; k < n; ++k) {
      // The two runs may be parts of one array, each overwriting the other.
      auto from = static_cast<std::uint32_t>(positions[k]);
      sorted[k] = values[from < n ? from : 0];
      positions[k] = static_cast<std::int32_t>(static_cast<std::uint32_t>(positions[k]) + indexBase);
    }
    return true;
  });
}

bool SquarePart(const ArrayRun& run, std::int64_t& n) {
  const ArrayRecord& array = *run.array;
  if (array.dimensions - run.fixed != 2) return false;
  n = array.lengths[run.fixed];
  return array.lengths[run.fixed + 1] == n && run.length >= n * n;
}

InversionStatus InvertInPlace(const ArrayRun& run, std::int64_t n, const std::atomic<bool>& interrupt,
                              double& determinant) {
  std::vector<std::int64_t> rowSwap, columnSwap;
  try {
    rowSwap.resize(static_cast<std::size_t>(n));
    columnSwap.resize(static_cast<std::size_t>(n));
  } catch (const std::bad_alloc&) {
    return InversionStatus::kNoMemory;
  }
  double* a = Typed<double>(run);
  auto at = [&](std::int64_t i, std::int64_t j) -> double& { return a[i * n + j]; };
  determinant = 1.0;
  for (std::int64_t k = 0; k < n; ++k) {
    if (interrupt.load(std::memory_order_acquire)) return InversionStatus::kInterrupted;
    // The largest element of the remaining lower-right block.
    std::int64_t p = k, q = k;
    double largest = -1.0;
    for (std::int64_t i = k; i < n; ++i)
      for (std::int64_t j = k; j < n; ++j)
        if (std::fabs(at(i, j)) > largest) {
          largest = std::fabs(at(i, j));
          p = i;
          q = j;
        }
    double pivot = at(p, q);
    if (pivot == 0.0) {
      determinant = 0.0;
      return InversionStatus::kDone;
    }
    rowSwap[k] = p;
    columnSwap[k] = q;
    if (p != k) {
      for (std::int64_t j = 0; j < n; ++j) std::swap(at(p, j), at(k, j));
      determinant = -determinant;
    }
    if (q != k) {
      for (std::int64_t i = 0; i < n; ++i) std::swap(at(i, q), at(i, k));
      determinant = -determinant;
    }
    determinant *= pivot;
    for (std::int64_t j = 0; j < n; ++j)
      if (j != k) at(k, j) /= pivot;
    at(k, k) = 1.0 / pivot;
    for (std::int64_t i = 0; i < n; ++i) {
      if (i == k) continue;
      double factor = at(i, k);
      if (factor == 0.0) continue;
      for (std::int64_t j = 0; j < n; ++j)
        if (j != k) at(i, j) -= factor * at(k, j);
      at(i, k) = -factor / pivot;
    }
  }
  // The inverse of the permuted matrix, permuted back: column interchanges
  // become row interchanges and the other way round.
  for (std::int64_t k = n - 1; k >= 0; --k) {
    if (columnSwap[k] != k)
      for (std::int64_t j = 0; j < n; ++j) std::swap(at(columnSwap[k], j), at(k, j));
    if (rowSwap[k] != k)
      for (std::int64_t i = 0; i < n; ++i) std::swap(at(i, rowSwap[k]), at(i, k));
  }
  return InversionStatus::kDone;
}

}  // namespace tessarin::engine
