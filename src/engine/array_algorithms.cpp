#include "engine/array_algorithms.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

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

template <typename T>
void SortTyped(const ArrayRun& run) {
  T* first = Typed<T>(run);
  if constexpr (std::is_floating_point_v<T>) {
    std::sort(first, first + run.length, [](T x, T y) { return x < y || (!std::isnan(x) && std::isnan(y)); });
  } else {
    std::sort(first, first + run.length);
  }
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

double FindInterval(const ArrayRun& run, std::int64_t n, double x, double guess, int indexBase, bool bisect) {
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
  while (i > 0 && x < run.Get(i)) --i;
  while (i < n - 2 && x >= run.Get(i + 1)) ++i;
  return static_cast<double>(i + indexBase);
}

bool Histogram(const ArrayRun& data, std::int64_t values, const ArrayRun& edges, const ArrayRun& counts,
               bool accumulate, std::int64_t& counted) {
  std::int64_t bins = std::min(edges.length, counts.length);
  for (std::int64_t g = 1; g < bins; ++g)
    if (!(edges.Get(g - 1) < edges.Get(g))) return false;
  if (!accumulate)
    for (std::int64_t g = 0; g < bins; ++g) counts.Set(g, 0.0);
  counted = 0;
  for (std::int64_t i = 0; i < values; ++i) {
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

std::int64_t ReadNumbers(UserFiles& files, const ArrayRun& run, std::int64_t count) {
  std::int64_t stored = 0;
  std::string line;
  while (stored < count && files.ReadLine(line)) {
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

void SortRun(const ArrayRun& run) {
  switch (run.array->type) {
    case ElementType::kDouble: SortTyped<double>(run); break;
    case ElementType::kFloat: SortTyped<float>(run); break;
    case ElementType::kInt: SortTyped<std::int32_t>(run); break;
    case ElementType::kUint: SortTyped<std::uint32_t>(run); break;
    case ElementType::kInt2: SortTyped<std::int16_t>(run); break;
    case ElementType::kUint2: SortTyped<std::uint16_t>(run); break;
    case ElementType::kInt1: SortTyped<std::int8_t>(run); break;
    case ElementType::kUint1: SortTyped<std::uint8_t>(run); break;
  }
}

bool SortWithIndex(const ArrayRun& run, const ArrayRun& index, int indexBase) {
  std::vector<std::uint32_t> order;
  std::vector<double> values;
  try {
    order.resize(static_cast<std::size_t>(run.length));
    values.resize(static_cast<std::size_t>(run.length));
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (std::int64_t i = 0; i < run.length; ++i) {
    order[i] = static_cast<std::uint32_t>(i);
    values[i] = run.Get(i);
  }
  // Element values convert to double exactly, so comparing the doubles
  // orders every element type; NaN goes last.
  std::sort(order.begin(), order.end(), [&](std::uint32_t x, std::uint32_t y) {
    double a = values[x], b = values[y];
    return a < b || (!std::isnan(a) && std::isnan(b));
  });
  for (std::int64_t k = 0; k < run.length; ++k) {
    run.Set(k, values[order[k]]);
    index.Set(k, static_cast<double>(order[k]) + indexBase);
  }
  return true;
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
