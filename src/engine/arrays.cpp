#include "engine/arrays.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/names.h"

namespace tessarin::engine {
namespace {

constexpr std::string_view kKeywords[] = {"double", "float", "int", "uint", "int2", "uint2", "int1", "uint1"};

// Truncation toward zero to a signed 32-bit integer; outside its range (and
// NaN) the value -2147483648, as the processor's conversion gives.
std::int32_t ToInt32(double value) {
  double t = std::trunc(value);
  if (!(t >= -2147483648.0 && t <= 2147483647.0)) return INT32_MIN;
  return static_cast<std::int32_t>(t);
}

// Truncation to a signed 64-bit integer, for the unsigned types.
std::int64_t ToInt64(double value) {
  double t = std::trunc(value);
  if (!(t >= -9223372036854775808.0 && t < 9223372036854775808.0)) return INT64_MIN;
  return static_cast<std::int64_t>(t);
}

template <typename T>
void Put(unsigned char* where, T value) {
  std::memcpy(where, &value, sizeof value);
}
template <typename T>
T Get(const unsigned char* where) {
  T value;
  std::memcpy(&value, where, sizeof value);
  return value;
}

}  // namespace

std::uint64_t DefaultArrayMemoryLimit() {
  constexpr std::uint64_t kGigabyte = 1ull << 30;
  long pages = ::sysconf(_SC_PHYS_PAGES);
  long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return kGigabyte;
  return std::min(kGigabyte, static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) / 2);
}

void FreeStorage::operator()(unsigned char* storage) const { std::free(storage); }

int ElementSize(ElementType type) {
  switch (type) {
    case ElementType::kDouble: return 8;
    case ElementType::kFloat:
    case ElementType::kInt:
    case ElementType::kUint: return 4;
    case ElementType::kInt2:
    case ElementType::kUint2: return 2;
    default: return 1;
  }
}

bool ElementTypeFromKeyword(std::string_view keyword, ElementType& type) {
  for (int i = 0; i < 8; ++i) {
    if (SameName(keyword, kKeywords[i])) {
      type = static_cast<ElementType>(i);
      return true;
    }
  }
  return false;
}

void StoreElement(ElementType type, unsigned char* where, double value) {
  switch (type) {
    case ElementType::kDouble: Put(where, value); break;
    case ElementType::kFloat: Put(where, static_cast<float>(value)); break;
    case ElementType::kInt: Put(where, ToInt32(value)); break;
    case ElementType::kInt2: Put(where, static_cast<std::int16_t>(static_cast<std::uint16_t>(ToInt32(value)))); break;
    case ElementType::kInt1: Put(where, static_cast<std::int8_t>(static_cast<std::uint8_t>(ToInt32(value)))); break;
    case ElementType::kUint: Put(where, static_cast<std::uint32_t>(ToInt64(value))); break;
    case ElementType::kUint2: Put(where, static_cast<std::uint16_t>(ToInt64(value))); break;
    case ElementType::kUint1: Put(where, static_cast<std::uint8_t>(ToInt64(value))); break;
  }
}

double LoadElement(ElementType type, const unsigned char* where) {
  switch (type) {
    case ElementType::kDouble: return Get<double>(where);
    case ElementType::kFloat: return Get<float>(where);
    case ElementType::kInt: return Get<std::int32_t>(where);
    case ElementType::kUint: return Get<std::uint32_t>(where);
    case ElementType::kInt2: return Get<std::int16_t>(where);
    case ElementType::kUint2: return Get<std::uint16_t>(where);
    case ElementType::kInt1: return Get<std::int8_t>(where);
    case ElementType::kUint1: return Get<std::uint8_t>(where);
  }
  return 0.0;
}

int ArrayTable::Find(std::string_view name) const {
  auto found = byName_.find(FoldName(name));
  return found == byName_.end() ? -1 : found->second;
}

int ArrayTable::Add(std::unique_ptr<ArrayRecord> array) {
  bytes += static_cast<std::uint64_t>(array->count) * static_cast<std::uint64_t>(ElementSize(array->type));
  byName_.emplace(FoldName(array->name), size());
  arrays_.push_back(std::move(array));
  return size() - 1;
}

std::int64_t IndexPosition(double x, int indexBase) {
  double shifted = indexBase == 0 ? x + 0.5 : x - 0.5;
  if (!(shifted >= 0) || shifted >= 9.0e18) return -1;
  return static_cast<std::int64_t>(shifted);
}

}  // namespace tessarin::engine
