#pragma once
// What the array built-ins do with the run of elements a reference names:
// interval search, histogramming, reading numbers, sorting and inverting a
// matrix in place. Whatever may run long over a big array gives up early
// when `stop` is set; the caller then ends the program.

#include <atomic>
#include <cstdint>

#include "engine/arrays.h"
#include "engine/user_files.h"

namespace tessarin::engine {

// The elements from `offset` to the end of the array (`length` of them), in
// the part whose first `fixed` dimensions are fixed by indices.
struct ArrayRun {
  ArrayRecord* array = nullptr;
  int fixed = 0;
  std::int64_t offset = 0;
  std::int64_t length = 0;
  double Get(std::int64_t i) const { return LoadElement(array->type, array->Element(offset + i)); }
  void Set(std::int64_t i, double value) const { StoreElement(array->type, array->Element(offset + i), value); }
};

// Size2: the length of free dimension k (counted from the index base); the
// first free one less the part's start within it; 0 when k is out of range.
std::int64_t PartDimensionLength(const ArrayRun& run, double k, int indexBase);

// The interval of x among the first n (ascending) elements, with the index
// base added; NaN for a NaN x.
double FindInterval(const ArrayRun& run, std::int64_t n, double x, double guess, int indexBase, bool bisect,
                    const std::atomic<bool>& stop);

// Counts the first `values` data into the bins the edges close; false when
// the edges are not strictly ascending.
[[nodiscard]] bool Histogram(const ArrayRun& data, std::int64_t values, const ArrayRun& edges, const ArrayRun& counts,
               bool accumulate, std::int64_t& counted, const std::atomic<bool>& stop);

// Numbers from the input file into the first `count` elements; the number
// stored.
std::int64_t ReadNumbers(UserFiles& files, const ArrayRun& run, std::int64_t count, const std::atomic<bool>& stop);

// Ascending; NaN after every number.
void SortRun(const ArrayRun& run, const std::atomic<bool>& stop);
// The work storage SortWithIndex takes: a copy of the run.
std::uint64_t SortWithIndexWorkBytes(const ArrayRun& run);
// Sorts `run` (its type given) and leaves in `index` the former position
// (plus the index base) of each element; false when no work storage could
// be had.
[[nodiscard]] bool SortWithIndex(const ArrayRun& run, const ArrayRun& index, int indexBase, const std::atomic<bool>& stop);

// The part is an n×n matrix: exactly two free dimensions of equal length.
[[nodiscard]] bool SquarePart(const ArrayRun& run, std::int64_t& n);
enum class [[nodiscard]] InversionStatus { kDone, kNoMemory, kInterrupted };
// Gauss-Jordan elimination with complete pivoting; determinant 0 for a
// singular matrix (left partly transformed).
InversionStatus InvertInPlace(const ArrayRun& run, std::int64_t n, const std::atomic<bool>& interrupt,
                              double& determinant);

}  // namespace tessarin::engine
