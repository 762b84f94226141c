#pragma once
// The numeric arrays of the ARRAYS block: element types, the array table
// and the conversions between doubles and stored elements.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessarin::engine {

enum class ElementType : std::uint8_t { kDouble, kFloat, kInt, kUint, kInt2, kUint2, kInt1, kUint1 };

inline constexpr int kMaxArrays = 8191;
inline constexpr int kMaxArrayDimensions = 20;
inline constexpr std::int64_t kMaxDimensionLength = 2000000000;

// What the arrays of one reading may take together unless told otherwise:
// 1 GB, or half the machine's memory when that is less.
std::uint64_t DefaultArrayMemoryLimit();

int ElementSize(ElementType type);
// The keyword of a type ("double", "float", ...) and back, any case.
[[nodiscard]] bool ElementTypeFromKeyword(std::string_view keyword, ElementType& type);

// Stores a double as an element of the type at `where`.
void StoreElement(ElementType type, unsigned char* where, double value);
double LoadElement(ElementType type, const unsigned char* where);

// Array storage comes zero-filled from calloc, whose fresh pages cost
// nothing until they are written.
struct FreeStorage {
  void operator()(unsigned char* storage) const;
};

struct ArrayRecord {
  std::string name;
  int dimensions = 0;
  std::int64_t lengths[kMaxArrayDimensions] = {};
  std::int64_t strides[kMaxArrayDimensions] = {};  // in elements
  ElementType type = ElementType::kDouble;
  std::int64_t count = 0;  // elements
  std::unique_ptr<unsigned char[], FreeStorage> storage;

  unsigned char* Element(std::int64_t offset) const { return storage.get() + offset * ElementSize(type); }
  // The elements from `offset` to the end of the last dimension's run.
  std::int64_t RunLength(std::int64_t offset) const { return count - offset; }
};

class ArrayTable {
 public:
  int Find(std::string_view name) const;
  int size() const { return static_cast<int>(arrays_.size()); }
  ArrayRecord& at(int index) { return *arrays_[index]; }
  const ArrayRecord& at(int index) const { return *arrays_[index]; }
  int Add(std::unique_ptr<ArrayRecord> array);
  int indexBase = 1;
  // The storage of every array, in bytes, and what it may come to.
  std::uint64_t bytes = 0;
  std::uint64_t memoryLimit = DefaultArrayMemoryLimit();
  // Whether `more` bytes (of a new array or of work storage) still fit.
  [[nodiscard]] bool Fits(std::uint64_t more) const { return more <= memoryLimit && bytes <= memoryLimit - more; }

 private:
  std::vector<std::unique_ptr<ArrayRecord>> arrays_;
  std::unordered_map<std::string, int> byName_;
};

// An index value as a 0-based position: x + 0.5 (index base 0) or x - 0.5
// (base 1) truncated; -1 when negative before truncation or NaN.
std::int64_t IndexPosition(double x, int indexBase);

}  // namespace tessarin::engine
